// SPDX-License-Identifier: GPL-3.0-or-later
// Stored measurements on the CF card, over the in-process simulator: the
// listing of a 100-file card, and the fetch (and import: converted, staged
// and committed) of a data file with a 50,001-point evaluation. The
// transactions are the floor, so each benchmark also reports its CPU time per
// transaction.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "datafile/controller_files.h"
#include "datafile/data_file_import.h"
#include "platform/transport/sim_transport.h"
#include "sim/cf_card.h"

#include "results/silent_view.h"

namespace {

using NoView = kv::SilentView<>;

// The simulator in this process, counting the transactions.
class CountingTransport : public kv::Transport {
 public:
  explicit CountingTransport(kvsim::Controller& controller) : inner_(controller) {}
  int open(std::string_view device) override { return inner_.open(device); }
  void close() override { inner_.close(); }
  int write(std::span<const std::uint8_t> frame) override {
    ++transactions;
    return inner_.write(frame);
  }
  int read(std::span<std::uint8_t> reply) override { return inner_.read(reply); }

  std::int64_t transactions = 0;

 private:
  kv::SimTransport inner_;
};

// Transactions an iteration, and the CPU time of each.
void PerTransaction(benchmark::State& state, const CountingTransport& transport) {
  const auto transactions = static_cast<double>(transport.transactions);
  state.counters["transactions"] =
      benchmark::Counter(transactions, benchmark::Counter::kAvgIterations);
  state.counters["cpu_per_transaction"] =
      benchmark::Counter(transactions, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// One count request, then an entry and a size request a file.
void BM_ListHundredFiles(benchmark::State& state) {
  kvsim::Config config;
  config.cardFiles.emplace();
  for (int i = 0; i < 100; ++i) {
    config.cardFiles->push_back({"KV" + std::to_string(100000 + i) + ".TXT", "x\n"});
  }
  kvsim::Controller controller(config);
  CountingTransport transport(controller);
  kv::Link link(transport);
  link.Open();
  for (auto _ : state) {
    kv::Result<kv::ControllerFileList> list = kv::ListControllerFiles(link);
    if (!list.ok() || list.value().entries.size() != 100) {
      state.SkipWithError("the card was not listed whole");
      break;
    }
    benchmark::DoNotOptimize(list);
  }
  PerTransaction(state, transport);
}
BENCHMARK(BM_ListHundredFiles)->Unit(benchmark::kMicrosecond);

// The default card's KV000005.TXT: set A over 50,001 points.
class LargeFileBench : public benchmark::Fixture {
 public:
  void SetUp(const benchmark::State&) override {
    const std::string& bytes = kvsim::DefaultCardFiles().at(4).bytes;
    size_ = static_cast<std::int32_t>(bytes.size());
    std::string folder = (std::filesystem::temp_directory_path() / "kv-bench-XXXXXX").string();
    drive_ = ::mkdtemp(folder.data());
    std::filesystem::create_directories(drive_ / "Work");
  }
  void TearDown(const benchmark::State&) override { std::filesystem::remove_all(drive_); }

 protected:
  std::filesystem::path drive_;
  std::int32_t size_ = 0;
  kvsim::Controller controller_;
  CountingTransport transport_{controller_};
  kv::Link link_{transport_};
  NoView view_;
};

BENCHMARK_DEFINE_F(LargeFileBench, Fetch)(benchmark::State& state) {
  link_.Open();
  transport_.transactions = 0;
  for (auto _ : state) {
    kv::Result<kv::DataLineList> lines = kv::FetchControllerFile(link_, view_, "KV000005");
    if (!lines.ok()) {
      state.SkipWithError("the file was not fetched");
      break;
    }
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(state.iterations() * size_);
  PerTransaction(state, transport_);
}
BENCHMARK_REGISTER_F(LargeFileBench, Fetch)->Unit(benchmark::kMillisecond);

BENCHMARK_DEFINE_F(LargeFileBench, FetchAndImport)(benchmark::State& state) {
  link_.Open();
  transport_.transactions = 0;
  kv::FileSystem files{kv::DriveMap(drive_)};
  kv::ProcessSettings settings;
  kv::ResultStage stage;
  kv::ConversionContext context{settings, view_, stage};
  for (auto _ : state) {
    if (!kv::StageControllerFile(link_, context, "KV000005.TXT  2024").ok() ||
        !stage.Commit(files, "C:\\Work\\").ok()) {
      state.SkipWithError("the file was not imported");
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() * size_);
  PerTransaction(state, transport_);
}
BENCHMARK_REGISTER_F(LargeFileBench, FetchAndImport)->Unit(benchmark::kMillisecond);

}  // namespace
