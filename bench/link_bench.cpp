// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of one transaction: the program's own share (in-process simulator)
// and the loopback socket to kv730-sim.
#include <benchmark/benchmark.h>

#include "link/frame_builders.h"
#include "platform/transport/sim_transport.h"
#include "platform/transport/tcp_transport.h"
#include "sim/loopback_server.h"

namespace {

void BM_StatusInProcess(benchmark::State& state) {
  kvsim::Controller controller;
  kv::SimTransport transport(controller);
  kv::Link link(transport);
  link.Open();
  for (auto _ : state) benchmark::DoNotOptimize(kv::ReadControllerStatus(link).ok());
}
BENCHMARK(BM_StatusInProcess);

void BM_SettingsOverLoopback(benchmark::State& state) {
  kvsim::Controller controller;
  kvsim::LoopbackServer server(controller);
  server.Listen(0);
  server.Start();
  kv::TcpTransport transport("127.0.0.1:" + std::to_string(server.Port()));
  kv::Link link(transport);
  link.Open();
  for (auto _ : state) benchmark::DoNotOptimize(kv::ReadControllerSettings(link, 0).ok());
}
BENCHMARK(BM_SettingsOverLoopback);

}  // namespace
