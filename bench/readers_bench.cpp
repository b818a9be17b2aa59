// SPDX-License-Identifier: GPL-3.0-or-later
// The reply readers against the simulator in this process: the transactions
// are the floor, so each benchmark reports its transactions and the time per
// transaction. Nothing is written: the readers stage their files in memory.
#include <benchmark/benchmark.h>

#include "platform/transport/sim_transport.h"
#include "results/block_reader.h"
#include "results/conditions_reader.h"
#include "results/parameters_reader.h"
#include "results/profile_reader.h"
#include "results/silent_view.h"

namespace {

struct Bench {
  explicit Bench(std::size_t points) : controller(Config(points)), transport(controller) {
    settings.VersionNumber = 1103;
    link.Open();
  }
  static kvsim::Config Config(std::size_t points) {
    kvsim::Config config;
    config.points = points;
    return config;
  }
  kv::ReaderContext Context() { return {link, settings, view, stage, blockCount}; }

  // Transactions of one run (counted before timing), and the time per transaction.
  template <typename Read>
  void Measure(benchmark::State& state, Read read) {
    const auto run = [&] {
      stage.Clear();
      kv::ReaderContext context = Context();
      benchmark::DoNotOptimize(read(context));
    };
    std::size_t before = controller.Requests().size();
    run();
    auto transactions = static_cast<double>(controller.Requests().size() - before);
    for (auto _ : state) run();
    state.counters["transactions"] = transactions;
    state.counters["per_transaction"] =
        benchmark::Counter(transactions * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  }

  kvsim::Controller controller;
  kv::SimTransport transport;
  kv::Link link{transport};
  kv::ProcessSettings settings;
  kv::SilentView<> view;
  kv::ResultStage stage;
  std::int32_t blockCount = 0;
};

template <typename Read>
void RunReader(benchmark::State& state, Read read) {
  Bench(kvsim::kMaxPoints).Measure(state, read);
}

void BM_ReadParameters(benchmark::State& state) {
  RunReader(state, [](kv::ReaderContext& c) { return kv::ReadParameters(c).ok(); });
}
void BM_ReadConditions(benchmark::State& state) {
  RunReader(state, [](kv::ReaderContext& c) { return kv::ReadConditionsMetric(c).ok(); });
}
void BM_ReadEvaluationData(benchmark::State& state) {
  RunReader(state, [](kv::ReaderContext& c) { return kv::ReadEvaluationData(c).ok(); });
}
void BM_ReadGraphData(benchmark::State& state) {
  RunReader(state, [](kv::ReaderContext& c) { return kv::ReadGraphData(c, 1).ok(); });
}
void BM_ReadMeasuredProfile(benchmark::State& state) {
  RunReader(state, [](kv::ReaderContext& c) { return kv::ReadMeasuredProfile(c).ok(); });
}

// The read-all in-process: the readers of the five result files in the order
// the read-all runs them, without the status checks and without writing the
// files. Its CPU time is the figure to watch (target: under 5 ms at 9,601
// points).
void BM_ReadAllInProcess(benchmark::State& state) {
  Bench(static_cast<std::size_t>(state.range(0))).Measure(state, [](kv::ReaderContext& c) {
    return kv::ReadParameters(c).ok() && kv::ReadConditionsMetric(c).ok() &&
           kv::ReadEvaluationData(c).ok() && kv::ReadGraphData(c, 1).ok() &&
           kv::ReadGraphData(c, 0).ok();
  });
}

BENCHMARK(BM_ReadParameters)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadConditions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadEvaluationData)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadGraphData)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadMeasuredProfile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAllInProcess)->Arg(9601)->Arg(kvsim::kMaxPoints)->Unit(benchmark::kMillisecond);

}  // namespace
