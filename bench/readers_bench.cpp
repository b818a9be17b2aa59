// SPDX-License-Identifier: GPL-3.0-or-later
// The reply readers and the whole read-all against the simulator in this
// process, at the largest profile: the transactions are the floor, so each
// benchmark reports its transactions and the time per transaction.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "app/read_all.h"
#include "no_view.h"
#include "platform/transport/sim_transport.h"
#include "results/block_reader.h"
#include "results/conditions_reader.h"
#include "results/parameters_reader.h"
#include "results/profile_reader.h"

namespace {

// The window's part, doing nothing: only the program's own work is measured.
struct NoWindow : kvbench::NoView<kv::ReadAllWindow> {
  void ClearResultDisplays() override {}
  void LetEventsRun() override {}
  bool EvaluationSetASelected() const override { return true; }
  void ShowLanguageMessage(int, bool) override {}
};

struct Bench {
  explicit Bench(std::size_t points = kvsim::kMaxPoints)
      : controller(Config(points)), transport(controller), files(Drive()) {
    session.settings.VersionNumber = 1103;
    session.settings.WorkFolder = "C:\\";
    session.link.Open();
  }
  ~Bench() { std::filesystem::remove_all(files.drives().DriveC()); }
  static kvsim::Config Config(std::size_t points) {
    kvsim::Config config;
    config.points = points;
    return config;
  }
  static kv::DriveMap Drive() {
    std::string folder = (std::filesystem::temp_directory_path() / "kv-bench-XXXXXX").string();
    return kv::DriveMap(::mkdtemp(folder.data()));
  }
  kv::ReaderContext Context() {
    return {session.link, session.settings, files, window, session.BlockCount};
  }
  // Transactions of one run (counted before timing), and the time per transaction.
  template <typename Run>
  static void Measure(benchmark::State& state, Bench& bench, Run run) {
    std::size_t before = bench.controller.Requests().size();
    run();
    auto transactions = static_cast<double>(bench.controller.Requests().size() - before);
    for (auto _ : state) run();
    state.counters["transactions"] = transactions;
    state.counters["per_transaction"] =
        benchmark::Counter(transactions * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  }

  kvsim::Controller controller;
  kv::SimTransport transport;
  kv::FileSystem files;
  kv::Session session{transport, files, {}};
  NoWindow window;
};

template <typename Read>
void RunReader(benchmark::State& state, Read read) {
  Bench bench;
  Bench::Measure(state, bench, [&] {
    kv::ReaderContext context = bench.Context();
    benchmark::DoNotOptimize(read(context));
  });
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

// The whole read, at the simulator's default profile and at the largest one.
void BM_ReadAll(benchmark::State& state) {
  Bench bench(static_cast<std::size_t>(state.range(0)));
  Bench::Measure(state, bench,
                 [&] { benchmark::DoNotOptimize(kv::ReadAll(bench.session, bench.window).ok()); });
}

BENCHMARK(BM_ReadParameters)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadConditions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadEvaluationData)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadGraphData)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadMeasuredProfile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAll)->Arg(9601)->Arg(kvsim::kMaxPoints)->Unit(benchmark::kMillisecond);

}  // namespace
