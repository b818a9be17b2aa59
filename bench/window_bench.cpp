// SPDX-License-Identifier: GPL-3.0-or-later
// How long the window's event loop is held up while a 50,001-point read runs
// against the simulator on its socket at 1 ms a reply: the longest gap
// between the ticks of a 1 ms timer, while the window repaints its progress;
// and one redraw of the profile viewer.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <memory>

#include "certificate/qt/qt_certificate_actions.h"
#include "platform/transport/tcp_transport.h"
#include "sim/loopback_server.h"
#include "ui/kv_com.h"
#include "ui/profile_plot.h"

namespace {

// The window and the application against the simulator on its socket.
struct Running {
  explicit Running(kvsim::Config config)
      : controller(std::move(config)), server(controller), drive(TemporaryDrive()) {
    server.Listen(0);
    server.Start();
    for (const char* name : {"Language.xls", "KV_Certificate.xls", "KV_Certificate_Letter.xls"}) {
      std::filesystem::copy_file(std::filesystem::path(KV_WORKBOOKS_DIR) / name, drive / name);
    }
    transport = std::make_unique<kv::TcpTransport>("127.0.0.1:" + std::to_string(server.Port()));
    application =
        std::make_unique<kv::Application>(*transport, files, certificate, window.Observer());
    window.Attach(*application);
    if (application->Start(lock, "C:") != kv::StartupOutcome::kConnected) std::abort();
    window.show();
    // The window's first paint belongs to its showing, not to what is measured.
    RunEventsFor(200);
  }
  ~Running() {
    window.close();
    std::filesystem::remove_all(drive);
  }
  static std::filesystem::path TemporaryDrive() {
    std::string folder = (std::filesystem::temp_directory_path() / "kv-bench-XXXXXX").string();
    return ::mkdtemp(folder.data());
  }
  // The event loop waits for events as the running program does.
  static void RunEventsFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
  }

  kvsim::Controller controller;
  kvsim::LoopbackServer server;
  std::filesystem::path drive;
  kv::FileSystem files{kv::DriveMap(drive)};
  std::unique_ptr<kv::TcpTransport> transport;
  kv::QtCertificateActions certificate{files, "C:\\Tarnwick Corvanet\\KV-730\\"};
  kv::KV_Com window;
  kv::InstanceLock lock;
  std::unique_ptr<kv::Application> application;
};

void BM_WindowDuringALongRead(benchmark::State& state) {
  Running running({.replyDelayMs = 1, .points = 50001});
  qint64 longestGap = 0;
  for (auto _ : state) {
    QElapsedTimer sinceTick;
    QTimer ticks;
    ticks.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticks, &QTimer::timeout,
                     [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    sinceTick.start();
    ticks.start(1);
    if (!running.window.Read_All_Data_Click().ok()) state.SkipWithError("the read failed");
  }
  state.counters["longest_event_loop_gap_ms"] = static_cast<double>(longestGap);
}

// One tick of the print-key output: the poll and the blink.
void BM_PrintKeyTick(benchmark::State& state) {
  Running running({});
  running.window.Option2[2]->click();
  for (auto _ : state) running.window.Timer1_Tick();
}

// The program waiting in print-key output, its timer polling twice a second:
// the share of one core it takes.
void BM_PrintKeyIdle(benchmark::State& state) {
  Running running({});
  running.window.Option2[2]->click();
  for (auto _ : state) {
    const std::clock_t before = std::clock();
    Running::RunEventsFor(5000);
    state.counters["core_percent"] =
        100.0 * static_cast<double>(std::clock() - before) / CLOCKS_PER_SEC / 5.0;
  }
}

// One repaint of the profile viewer's plot, a 50,001-point profile across a
// full-HD-wide window: it must stay under a frame (16 ms).
void BM_ProfileViewerRedraw(benchmark::State& state) {
  kv::PlotCurve profile{"Measured profile",
                        "Length (mm)",
                        "Height (µm)",
                        "mm",
                        "µm",
                        std::vector<double>(50001),
                        0,
                        0.0001};
  for (std::size_t i = 0; i < profile.values.size(); ++i) {
    profile.values[i] = std::sin(double(i) * 0.01) + 0.1 * std::sin(double(i) * 0.73);
  }
  kv::ProfilePlot plot;
  plot.SetCurve(std::move(profile));
  plot.resize(1920, 700);
  QImage image(plot.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    plot.render(&image);
    benchmark::DoNotOptimize(image.bits());
  }
}

BENCHMARK(BM_ProfileViewerRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowDuringALongRead)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_PrintKeyTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PrintKeyIdle)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qt(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
