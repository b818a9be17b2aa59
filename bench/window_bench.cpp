// SPDX-License-Identifier: GPL-3.0-or-later
// How long the window's event loop is held up while a 50,001-point read runs
// against the simulator on its socket at 1 ms a reply: the longest gap
// between the ticks of a 1 ms timer, while the window repaints its progress.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <filesystem>

#include "certificate/qt/qt_certificate_actions.h"
#include "platform/transport/tcp_transport.h"
#include "sim/loopback_server.h"
#include "ui/kv_com.h"

namespace {

void BM_WindowDuringALongRead(benchmark::State& state) {
  kvsim::Controller controller({.replyDelayMs = 1, .points = 50001});
  kvsim::LoopbackServer server(controller);
  server.Listen(0);
  server.Start();
  std::string folder = (std::filesystem::temp_directory_path() / "kv-bench-XXXXXX").string();
  const std::filesystem::path drive = ::mkdtemp(folder.data());
  for (const char* name : {"Language.xls", "KV_Certificate.xls", "KV_Certificate_Letter.xls"}) {
    std::filesystem::copy_file(std::filesystem::path(KV_WORKBOOKS_DIR) / name, drive / name);
  }
  kv::FileSystem files{kv::DriveMap(drive)};
  kv::TcpTransport transport("127.0.0.1:" + std::to_string(server.Port()));
  kv::QtCertificateActions certificate(files, "C:\\Tarnwick Corvanet\\KV-730\\");
  kv::KV_Com window;
  kv::Application application(transport, files, certificate, window.Observer());
  window.Attach(application);
  kv::InstanceLock lock;
  if (application.Start(lock, "C:") != kv::StartupOutcome::kConnected) std::abort();
  window.show();
  // The window's first paint belongs to its showing, not to the read.
  QElapsedTimer shown;
  shown.start();
  while (shown.elapsed() < 200) QCoreApplication::processEvents();

  qint64 longestGap = 0;
  for (auto _ : state) {
    QElapsedTimer sinceTick;
    QTimer ticks;
    ticks.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticks, &QTimer::timeout,
                     [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    sinceTick.start();
    ticks.start(1);
    if (!window.Read_All_Data_Click().ok()) state.SkipWithError("the read failed");
  }
  state.counters["longest_event_loop_gap_ms"] = static_cast<double>(longestGap);
  window.close();
  std::filesystem::remove_all(drive);
}

BENCHMARK(BM_WindowDuringALongRead)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qt(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
