// SPDX-License-Identifier: GPL-3.0-or-later
// Number texts and the result-file writer at the largest file sizes.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "results/csv_file.h"
#include "results/number_text.h"

namespace {

std::vector<double> Values(std::size_t count) {
  std::mt19937_64 engine(42);
  std::uniform_real_distribution<double> uniform(-50, 50);
  std::vector<double> values(count);
  for (auto& value : values) value = uniform(engine);
  return values;
}

void BM_GeneralNumberText(benchmark::State& state) {
  const auto values = Values(4096);
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(kv::GeneralNumberText(values[i++ & 4095]));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GeneralNumberText);

void BM_WriteCsvFile(benchmark::State& state) {
  std::string folder = (std::filesystem::temp_directory_path() / "kv-bench-XXXXXX").string();
  kv::FileSystem files{kv::DriveMap(::mkdtemp(folder.data()))};
  kv::LineList lines;
  for (double value : Values(kv::kResultLines)) lines.push_back(kv::GeneralNumberText(value));
  std::size_t bytes = 0;
  for (const auto& line : lines) bytes += line.size() + 2;
  for (auto _ : state) {
    kv::LineList copy = lines;
    benchmark::DoNotOptimize(kv::WriteCsvFile(files, "C:\\", copy, "Evaluation.csv"));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  std::filesystem::remove_all(files.drives().DriveC());
}
BENCHMARK(BM_WriteCsvFile)->Unit(benchmark::kMillisecond);

}  // namespace
