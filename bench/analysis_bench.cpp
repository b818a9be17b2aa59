// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter check of a 50,001-point measured profile, from the bytes of
// the three result files to the table; it must stay under 10 ms.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>
#include <string>

#include "analysis/parameter_check.h"

namespace {

constexpr int kPoints = 50001;

// Waviness, feed marks and noise at a pitch of `pitch` micrometres, as
// "Measured.csv" holds it.
std::string MeasuredCsv(double pitch) {
  std::mt19937 random(7);
  std::normal_distribution<double> noise(0, 0.3);
  std::string bytes;
  for (int i = 0; i < kPoints; ++i) {
    const double x = i * pitch;
    const double z = 3 * std::sin(2 * std::numbers::pi * x / 9000) +
                     std::sin(2 * std::numbers::pi * x / (400 * pitch)) + noise(random);
    char line[40];
    (void)std::snprintf(line, sizeof line, "%.15g\r\n", z);
    bytes += line;
  }
  return bytes;
}

const char* const kParameterCsv =
    "Ra     0.8319 um\r\nRq     1.0279 um\r\nRz     4.7243 um\r\nRp     2.5986 um\r\n"
    "Rv     2.1257 um\r\nRt     5.7399 um\r\nRc     3.0355 um\r\nRsk    0.269\r\n"
    "Rku    2.584\r\nRSm    0.1132 mm\r\nRDq    0.0824\r\nRmr    7.10 %\r\n";

// Cut-off 8 mm at a pitch of 1 um (8,000 points a cut-off), and 0.8 mm at
// 0.1 um: five sampling lengths, run-in and run-out within 50,001 points.
void BM_CheckParameters(benchmark::State& state) {
  const bool fine = state.range(0) == 1;
  const std::string measured = MeasuredCsv(fine ? 0.1 : 1);
  const std::string conditions = std::string(fine ? "CUT 0.8mm\r\n" : "CUT 8.0mm\r\n") +
                                 "N 5\r\nCUV R\r\nFIL GAUSS\r\nSTD ISO 1997\r\nLS  2.5um\r\n" +
                                 (fine ? "STP 0.10\r\n" : "STP 1.00\r\n") + "UNT 1\r\nLNG E\r\n";
  for (auto _ : state) {
    auto check = kv::CheckParameters(kParameterCsv, conditions, measured);
    if (!check.ok()) state.SkipWithError(check.status().description().c_str());
    benchmark::DoNotOptimize(check);
  }
}
BENCHMARK(BM_CheckParameters)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
