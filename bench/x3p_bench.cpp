// SPDX-License-Identifier: GPL-3.0-or-later
// The X3P export of the largest measured profile (50,001 points): the file's
// bytes, and the file written beside its name and renamed into place.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "x3p/x3p_export.h"

namespace {

constexpr std::size_t kLargestProfile = 50001;

kv::ProfileData LargestProfile() {
  std::mt19937_64 engine(42);
  std::uniform_real_distribution<double> micrometres(-50, 50);
  kv::ProfileData profile;
  profile.heights.resize(kLargestProfile);
  for (double& height : profile.heights) height = micrometres(engine) / 1e6;
  profile.pitch = 1e-6;
  profile.taken = std::chrono::system_clock::now();
  return profile;
}

void BM_X3pBytes(benchmark::State& state) {
  const kv::ProfileData profile = LargestProfile();
  for (auto _ : state) benchmark::DoNotOptimize(kv::X3pBytes(profile));
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kLargestProfile));
}
BENCHMARK(BM_X3pBytes)->Unit(benchmark::kMillisecond);

void BM_ExportX3p(benchmark::State& state) {
  const kv::ProfileData profile = LargestProfile();
  std::string folder = (std::filesystem::temp_directory_path() / "kv-bench-XXXXXX").string();
  kv::FileSystem files{kv::DriveMap(::mkdtemp(folder.data()))};
  const std::filesystem::path file = files.drives().DriveC() / "profile.x3p";
  for (auto _ : state) {
    if (!kv::ExportX3p(files, profile, file).ok()) state.SkipWithError("the file was not written");
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kLargestProfile));
  std::filesystem::remove_all(files.drives().DriveC());
}
BENCHMARK(BM_ExportX3p)->Unit(benchmark::kMillisecond);

}  // namespace
