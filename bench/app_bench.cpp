// SPDX-License-Identifier: GPL-3.0-or-later
// The whole read-all through the application, with its all-or-none commit,
// against the simulator in this process and on its loopback socket.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "app/application.h"
#include "headless_application.h"
#include "platform/transport/sim_transport.h"
#include "platform/transport/tcp_transport.h"
#include "sim/loopback_server.h"

namespace {

using kvbench::NoCertificate;
using kvbench::NoObserver;

std::filesystem::path TemporaryDrive() {
  std::string folder = (std::filesystem::temp_directory_path() / "kv-bench-XXXXXX").string();
  return ::mkdtemp(folder.data());
}

// The application started against `transport` on a fresh drive that holds
// the workbooks as the program's folder.
struct Started {
  explicit Started(kv::Transport& transport) : drive(TemporaryDrive()), files(kv::DriveMap(drive)) {
    for (const char* name : {"Language.xls", "KV_Certificate.xls", "KV_Certificate_Letter.xls"}) {
      std::filesystem::copy_file(std::filesystem::path(KV_WORKBOOKS_DIR) / name, drive / name);
    }
    application = std::make_unique<kv::Application>(transport, files, certificate, observer);
    if (application->Start(lock, "C:") != kv::StartupOutcome::kConnected) std::abort();
  }
  ~Started() { std::filesystem::remove_all(drive); }
  std::filesystem::path drive;
  kv::FileSystem files;
  NoObserver observer;
  NoCertificate certificate;
  kv::InstanceLock lock;
  std::unique_ptr<kv::Application> application;
};

void ReadAll(benchmark::State& state, kv::Transport& transport) {
  Started started(transport);
  for (auto _ : state) {
    if (kv::Status read = started.application->ReadAll(); !read.ok()) {
      state.SkipWithError(read.description().c_str());
    }
  }
}

void BM_ReadAllInProcess(benchmark::State& state) {
  kv::SimTransport transport(std::make_unique<kvsim::Controller>(kvsim::Config{.points = 9601}));
  ReadAll(state, transport);
}

void BM_ReadAllLoopback(benchmark::State& state) {
  kvsim::Controller controller({.points = 9601});
  kvsim::LoopbackServer server(controller);
  server.Listen(0);
  server.Start();
  kv::TcpTransport transport("127.0.0.1:" + std::to_string(server.Port()));
  ReadAll(state, transport);
}

BENCHMARK(BM_ReadAllInProcess)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAllLoopback)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
