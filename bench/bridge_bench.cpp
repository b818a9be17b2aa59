// SPDX-License-Identifier: GPL-3.0-or-later
// The read-all through kv-usb-bridge: under Wine with the stand-in library
// against the direct loopback read (at most 2x is the aim), and over a link
// with 0.5 ms round trips, made by a relay that delays every byte 0.25 ms
// each way (at most 1.2 x transactions x 0.5 ms is the aim: one round trip
// per transaction). Single status transactions show what one costs on each
// road, the relay without delay its own share.
//
// Everything runs on one core, Wine's server included: on a virtual machine
// a wake-up on the other core costs tens to hundreds of microseconds and
// varies from run to run, and each transaction has several.
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sched.h>
#include <sys/socket.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <memory>
#include <thread>

#include "app/application.h"
#include "bridge/wine_bridge.h"
#include "headless_application.h"
#include "platform/transport/tcp_transport.h"
#include "sim/loopback_server.h"
#include "temp_folder.h"

namespace {

using Clock = std::chrono::steady_clock;

using kvbench::NoCertificate;
using kvbench::NoObserver;

// The transport, counting its transactions.
struct Counting : kv::Transport {
  explicit Counting(kv::Transport& inner) : inner(inner) {}
  int open(std::string_view device) override { return inner.open(device); }
  void close() override { inner.close(); }
  int write(std::span<const std::uint8_t> frame) override {
    ++transactions;
    return inner.write(frame);
  }
  int read(std::span<std::uint8_t> reply) override { return inner.read(reply); }
  kv::Transport& inner;
  std::int64_t transactions = 0;
};

// The application started against `transport` on a fresh drive that holds
// the workbooks as the program's folder.
struct Started {
  explicit Started(kv::Transport& transport) : files(kv::DriveMap(drive.path())) {
    for (const char* name : {"Language.xls", "KV_Certificate.xls", "KV_Certificate_Letter.xls"}) {
      std::filesystem::copy_file(std::filesystem::path(KV_WORKBOOKS_DIR) / name,
                                 drive.path() / name);
    }
    application = std::make_unique<kv::Application>(transport, files, certificate, observer);
    connected = application->Start(lock, "C:") == kv::StartupOutcome::kConnected;
  }
  kvtest::TempFolder drive;
  kv::FileSystem files;
  NoObserver observer;
  NoCertificate certificate;
  kv::InstanceLock lock;
  std::unique_ptr<kv::Application> application;
  bool connected = false;
};

void ReadAll(benchmark::State& state, kv::Transport& transport) {
  Counting counting(transport);
  Started started(counting);
  if (!started.connected) return state.SkipWithError("no controller");
  const std::int64_t before = counting.transactions;
  for (auto _ : state) {
    if (kv::Status read = started.application->ReadAll(); !read.ok()) {
      return state.SkipWithError(read.description().c_str());
    }
  }
  const auto perRead =
      static_cast<double>(counting.transactions - before) / static_cast<double>(state.iterations());
  state.counters["transactions"] = perRead;
  // The aim over 0.5 ms round trips: one round trip per transaction, and 20 % more.
  state.counters["aim_at_0.5ms_ms"] = 1.2 * perRead * 0.5;
}

void BM_ReadAll9601DirectLoopback(benchmark::State& state) {
  kvsim::Controller controller({.points = 9601});
  kvsim::LoopbackServer server(controller);
  server.Listen(0);
  server.Start();
  kv::TcpTransport transport("127.0.0.1:" + std::to_string(server.Port()));
  ReadAll(state, transport);
}
BENCHMARK(BM_ReadAll9601DirectLoopback)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadAll9601ThroughBridgeUnderWine(benchmark::State& state) {
  if (auto missing = kvtest::WineBridge::Missing()) return state.SkipWithError(missing->c_str());
  kvtest::WineBridge::PrepareWine();
  kvtest::WineBridge bridge({}, {"KV_STANDIN_OPTIONS=--points 9601"});
  kv::TcpTransport transport(bridge.Address());
  ReadAll(state, transport);
}
BENCHMARK(BM_ReadAll9601ThroughBridgeUnderWine)->Unit(benchmark::kMillisecond)->UseRealTime();

// Copies what `from` sends to `to`, each chunk `delay` after it arrived;
// ends the direction (half-close) once `from` has ended and all is sent.
// While a chunk waits, the thread looks for more and yields the core in
// turn: a timer would wake it late, and a late relay is charged to the link.
void Forward(int from, int to, std::chrono::microseconds delay) {
  std::deque<std::pair<Clock::time_point, std::vector<char>>> pending;
  bool open = true;
  while (open || !pending.empty()) {
    if (!pending.empty() && pending.front().first <= Clock::now()) {
      const std::vector<char>& bytes = pending.front().second;
      if (send(to, bytes.data(), bytes.size(), MSG_NOSIGNAL) < 0) return;
      pending.pop_front();
      continue;
    }
    pollfd ready{from, static_cast<short>(open ? POLLIN : 0), 0};
    if (poll(&ready, 1, pending.empty() ? 1000 : 0) <= 0) {
      sched_yield();
      continue;
    }
    std::vector<char> chunk(65536);
    const ssize_t count = recv(from, chunk.data(), chunk.size(), 0);
    if (count <= 0) {
      open = false;
      continue;
    }
    chunk.resize(static_cast<std::size_t>(count));
    pending.emplace_back(Clock::now() + delay, std::move(chunk));
  }
  shutdown(to, SHUT_WR);
}

// One client's connection to 127.0.0.1:`target`, delayed both ways.
class DelayingRelay {
 public:
  DelayingRelay(std::uint16_t target, std::chrono::microseconds oneWay) {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener_, 1);
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    address.sin_port = htons(target);
    thread_ = std::thread([this, address, oneWay] {
      client_ = accept(listener_, nullptr, nullptr);
      server_ = socket(AF_INET, SOCK_STREAM, 0);
      connect(server_, reinterpret_cast<const sockaddr*>(&address), sizeof address);
      const int one = 1;
      for (int fd : {client_, server_}) setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
      std::thread back(Forward, server_, client_, oneWay);
      Forward(client_, server_, oneWay);
      back.join();
    });
  }
  ~DelayingRelay() {
    thread_.join();
    for (int fd : {listener_, client_, server_}) close(fd);
  }
  std::uint16_t Port() const { return port_; }

 private:
  int listener_ = -1, client_ = -1, server_ = -1;
  std::uint16_t port_ = 0;
  std::thread thread_;
};

// The relay's delay each way in microseconds: 0 shows the relay's own cost.
void BM_ReadAll50001OverDelayedRoundTrips(benchmark::State& state) {
  kvsim::Controller controller({.points = 50001});
  kvsim::LoopbackServer server(controller);
  server.Listen(0);
  server.Start();
  DelayingRelay relay(server.Port(), std::chrono::microseconds(state.range(0)));
  kv::TcpTransport transport("127.0.0.1:" + std::to_string(relay.Port()));
  ReadAll(state, transport);
  transport.close();
}
// Status transactions, one after another.
void Statuses(benchmark::State& state, kv::Transport& transport) {
  transport.open("Corvanet_KV");
  const std::uint8_t status[64] = {0xFF, 0, 4, 0, 0x20, 0, 0x40, 0x24};
  std::uint8_t reply[64];
  for (auto _ : state) {
    transport.write(status);
    if (transport.read(reply) != 64) return state.SkipWithError("no status");
  }
  transport.close();
}

void BM_StatusThroughBridgeUnderWine(benchmark::State& state) {
  if (auto missing = kvtest::WineBridge::Missing()) return state.SkipWithError(missing->c_str());
  kvtest::WineBridge::PrepareWine();
  kvtest::WineBridge bridge;
  kv::TcpTransport transport(bridge.Address());
  Statuses(state, transport);
}
BENCHMARK(BM_StatusThroughBridgeUnderWine)->UseRealTime()->Unit(benchmark::kMicrosecond);

void BM_StatusOverDelayedRoundTrips(benchmark::State& state) {
  kvsim::Controller controller;
  kvsim::LoopbackServer server(controller);
  server.Listen(0);
  server.Start();
  DelayingRelay relay(server.Port(), std::chrono::microseconds(state.range(0)));
  kv::TcpTransport transport("127.0.0.1:" + std::to_string(relay.Port()));
  Statuses(state, transport);
}
BENCHMARK(BM_StatusOverDelayedRoundTrips)
    ->Arg(0)
    ->Arg(250)
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

BENCHMARK(BM_ReadAll50001OverDelayedRoundTrips)
    ->Arg(0)
    ->Arg(250)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
  // The last core this process may use: the first takes more interrupts.
  cpu_set_t allowed;
  if (sched_getaffinity(0, sizeof allowed, &allowed) != 0) return 1;
  int core = CPU_SETSIZE - 1;
  while (core > 0 && !CPU_ISSET(core, &allowed)) --core;
  cpu_set_t one;
  CPU_ZERO(&one);
  CPU_SET(core, &one);
  if (sched_setaffinity(0, sizeof one, &one) != 0) return 1;
  if (!kvtest::WineBridge::Missing()) kvtest::WineBridge::StopWine();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
