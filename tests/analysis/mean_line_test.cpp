// SPDX-License-Identifier: GPL-3.0-or-later
// The Gaussian mean line: computed at a stride and interpolated, it must be
// the filter itself, pass half a wave of the cut-off and keep straight lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "analysis/gaussian_filter.h"

namespace {

using std::numbers::pi;

// The filter by its definition, at every point with its whole kernel.
double ReferenceMeanLine(const std::vector<double>& z, double cutoffPoints, std::size_t i) {
  const double alpha = std::sqrt(std::numbers::ln2 / pi);
  const auto reach = static_cast<long>(cutoffPoints);
  double sum = 0;
  double weight = 0;
  for (long k = -reach; k <= reach; ++k) {
    const double x = static_cast<double>(k) / (alpha * cutoffPoints);
    const double w = std::exp(-pi * x * x);
    sum += w * z[static_cast<std::size_t>(static_cast<long>(i) + k)];
    weight += w;
  }
  return sum / weight;
}

// Waves from a tenth of the cut-off to four cut-offs and a rough part.
std::vector<double> Wavy(std::size_t points, double cutoffPoints) {
  std::vector<double> z(points);
  for (std::size_t i = 0; i < points; ++i) {
    const double x = static_cast<double>(i) / cutoffPoints;
    z[i] = 2 * std::sin(2 * pi * x / 4) + std::sin(2 * pi * x + 1) +
           0.5 * std::sin(2 * pi * x * 3.3) + 0.2 * std::sin(2 * pi * x * 10) +
           0.1 * std::sin(static_cast<double>(i) * 2.1);
  }
  return z;
}

class MeanLine : public ::testing::TestWithParam<double> {};

TEST_P(MeanLine, IsTheFilterAtEveryPoint) {
  const double cutoffPoints = GetParam();
  const auto reach = static_cast<std::size_t>(cutoffPoints);
  const std::vector<double> z = Wavy(6 * reach + 1, cutoffPoints);
  const std::vector<double> line = kv::GaussianLowPass(z, cutoffPoints, reach, 5 * reach);
  ASSERT_EQ(line.size(), 4 * reach);
  double worst = 0;
  for (std::size_t i = reach; i < 5 * reach; ++i) {
    worst = std::max(worst, std::abs(line[i - reach] - ReferenceMeanLine(z, cutoffPoints, i)));
  }
  EXPECT_LT(worst, 1e-6 * 3.8);  // of the profile's amplitude
}

TEST_P(MeanLine, PassesHalfAWaveOfTheCutoff) {
  const double cutoffPoints = GetParam();
  const auto reach = static_cast<std::size_t>(cutoffPoints);
  std::vector<double> z(6 * reach + 1);
  for (std::size_t i = 0; i < z.size(); ++i) {
    z[i] = std::cos(2 * pi * static_cast<double>(i) / cutoffPoints);
  }
  const std::vector<double> line = kv::GaussianLowPass(z, cutoffPoints, 3 * reach, 3 * reach + 1);
  EXPECT_NEAR(line[0], 0.5, 1e-3);
}

// A level stays a level up to the ends, where the kernel is cut and scaled
// again; a slope stays where the kernel is whole.
TEST_P(MeanLine, KeepsALevelAndASlope) {
  const double cutoffPoints = GetParam();
  const auto reach = static_cast<std::size_t>(cutoffPoints);
  std::vector<double> level(3 * reach, 2.5);
  const std::vector<double> levelLine = kv::GaussianLowPass(level, cutoffPoints, 0, level.size());
  for (double value : levelLine) EXPECT_NEAR(value, 2.5, 1e-12);
  std::vector<double> slope(3 * reach);
  for (std::size_t i = 0; i < slope.size(); ++i) slope[i] = 4 - 0.01 * static_cast<double>(i);
  const std::vector<double> slopeLine = kv::GaussianLowPass(slope, cutoffPoints, reach, 2 * reach);
  for (std::size_t i = reach; i < 2 * reach; ++i) EXPECT_NEAR(slopeLine[i - reach], slope[i], 1e-7);
}

INSTANTIATE_TEST_SUITE_P(Cutoffs, MeanLine, ::testing::Values(25.0, 80.0, 800.0, 2500.0));

}  // namespace
