// SPDX-License-Identifier: GPL-3.0-or-later
// Number texts and the result files at the largest file size: their bytes,
// and the bytes written into the working folder.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "results/csv_file.h"
#include "results/number_text.h"
#include "results/result_stage.h"

namespace {

std::vector<double> Values(std::size_t count) {
  std::mt19937_64 engine(42);
  std::uniform_real_distribution<double> uniform(-50, 50);
  std::vector<double> values(count);
  for (auto& value : values) value = uniform(engine);
  return values;
}

kv::LineList LargestFile() {
  kv::LineList lines;
  for (double value : Values(kv::kResultLines)) lines.push_back(kv::GeneralNumberText(value));
  return lines;
}

std::int64_t Size(const kv::LineList& lines) {
  std::int64_t bytes = 0;
  for (const auto& line : lines) bytes += static_cast<std::int64_t>(line.size()) + 2;
  return bytes;
}

void BM_GeneralNumberText(benchmark::State& state) {
  const auto values = Values(4096);
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(kv::GeneralNumberText(values[i++ & 4095]));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GeneralNumberText);

void BM_CsvBytes(benchmark::State& state) {
  const kv::LineList lines = LargestFile();
  for (auto _ : state) {
    kv::LineList copy = lines;
    benchmark::DoNotOptimize(kv::CsvBytes(copy));
  }
  state.SetBytesProcessed(state.iterations() * Size(lines));
}
BENCHMARK(BM_CsvBytes)->Unit(benchmark::kMillisecond);

// Staged and committed: written beside the old file, synced, renamed over it.
void BM_WriteResultFile(benchmark::State& state) {
  std::string folder = (std::filesystem::temp_directory_path() / "kv-bench-XXXXXX").string();
  kv::FileSystem files{kv::DriveMap(::mkdtemp(folder.data()))};
  const kv::LineList lines = LargestFile();
  for (auto _ : state) {
    kv::LineList copy = lines;
    kv::ResultStage stage;
    stage.AddCsv("Evaluation.csv", copy);
    benchmark::DoNotOptimize(stage.Commit(files, "C:\\").ok());
  }
  state.SetBytesProcessed(state.iterations() * Size(lines));
  std::filesystem::remove_all(files.drives().DriveC());
}
BENCHMARK(BM_WriteResultFile)->Unit(benchmark::kMillisecond);

}  // namespace
