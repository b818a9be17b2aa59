// SPDX-License-Identifier: GPL-3.0-or-later
// A data file with a 50,001-point evaluation: read from disk and converted
// into the three result files (staged, as an import does before its commit).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "datafile/data_file_conversion.h"
#include "sim/data_file_writer.h"

#include "results/silent_view.h"

namespace {

using NoView = kv::SilentView<>;

// Set A evaluated over 50,001 points; set B short enough for the PC's list.
std::string LargeDataFile() {
  kvsim::Config config;
  config.points = kvsim::kMaxPoints;
  kvsim::Measurement measurement = kvsim::Measure(config);
  measurement.sets[0].evaluation = measurement.measured;
  measurement.sets[1].evaluation.resize(1000);
  return kvsim::DataFileBytes(measurement, {.crLf = true});
}

class DataFileBench : public benchmark::Fixture {
 public:
  void SetUp(const benchmark::State&) override {
    std::string folder = (std::filesystem::temp_directory_path() / "kv-bench-XXXXXX").string();
    drive_ = ::mkdtemp(folder.data());
    bytes_ = LargeDataFile();
    std::ofstream(drive_ / "LARGE.TXT", std::ios::binary) << bytes_;
  }
  void TearDown(const benchmark::State&) override { std::filesystem::remove_all(drive_); }

 protected:
  std::filesystem::path drive_;
  std::string bytes_;
};

BENCHMARK_DEFINE_F(DataFileBench, ReadAndConvert)(benchmark::State& state) {
  kv::FileSystem files{kv::DriveMap(drive_)};
  kv::ProcessSettings settings;
  NoView view;
  for (auto _ : state) {
    kv::ResultStage stage;
    kv::ConversionContext context{settings, view, stage};
    kv::Result<kv::DataLineList> lines = kv::ReadDataFile(files, "C:\\LARGE.TXT");
    if (!lines.ok() || !kv::ConvertDataFile(lines.value(), context).ok()) {
      state.SkipWithError("the data file was refused");
      break;
    }
    benchmark::DoNotOptimize(stage.Bytes("Evaluation.csv"));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes_.size()));
}
BENCHMARK_REGISTER_F(DataFileBench, ReadAndConvert)->Unit(benchmark::kMillisecond);

BENCHMARK_DEFINE_F(DataFileBench, SplitLines)(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(kv::DataLinesFromBytes(bytes_, kv::kPcFileLines));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes_.size()));
}
BENCHMARK_REGISTER_F(DataFileBench, SplitLines)->Unit(benchmark::kMillisecond);

}  // namespace
