// SPDX-License-Identifier: GPL-3.0-or-later
// The roughness calculations against profiles whose results are known by hand.
// tests/analysis compares the parameters, and with them the mean line and the
// profile elements, with an independent implementation on simulated
// measurements; here is what it does not reach.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "sim/graphs.h"
#include "sim/profile_filter.h"
#include "sim/profile_parameters.h"

namespace kvsim::test {
namespace {

using std::numbers::pi;
using std::numbers::sqrt2;

std::vector<double> Sine(std::size_t points, double period, double amplitude) {
  std::vector<double> z(points);
  for (std::size_t i = 0; i < points; ++i) z[i] = amplitude * std::sin(2 * pi * double(i) / period);
  return z;
}

TEST(ProfileParametersTest, MatchHandComputedProfiles) {
  // 80,000 points of 1 um in five sampling lengths of 16 waves of 1 mm each.
  // Material ratio: sin x >= 1/2 on a third of the wave. A flat profile
  // divides no zero by zero.
  const double a = 2;
  const struct {
    const char* name;
    std::vector<double> z;
    std::array<double, 16> expected;
  } cases[] = {
      {"sine",
       Sine(80000, 1000, a),
       {2 * a / pi, a / sqrt2, 0, 1.5, a, a, 2 * a, 2 * a, 2 * a, 2 * a, 1,
        2 * pi * a / 1000 / sqrt2, 1000, 100.0 / 3, sqrt2 * a, 10}},
      {"flat", std::vector<double>(80000, 0.0), {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 100, 0, 0}},
  };
  constexpr double kTolerances[] = {1e-3, 1e-9, 1e-9, 1e-9, 1e-9, 1e-9, 1e-9, 1e-9,
                                    1e-9, 1e-9, 1e-9, 1e-6, 0.1,  0.5,  0.01, 1e-6};
  for (const auto& c : cases) {
    const ProfileParameters p = ComputeParameters(c.z, 0.001, 5);
    const std::array<double, 16> got = {p.a,       p.q,  p.sk,     p.ku,   p.p,  p.v,
                                        p.z,       p.t,  p.c,      p.zMax, p.sm, p.deltaQ,
                                        p.lambdaQ, p.mr, p.deltaC, p.pc};
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_NEAR(got[i], c.expected[i], kTolerances[i]) << c.name << ", parameter " << i;
    }
  }
}

// Its cut-off shows in the comparison in tests/analysis; here the ends and a line.
TEST(ProfileFilterTest, KeepsAConstantToTheEndsAndLevelsALine) {
  for (const double value : GaussianMeanLine(std::vector<double>(500, 3.5), 200)) {
    EXPECT_NEAR(value, 3.5, 1e-12);
  }
  std::vector<double> line(500);
  for (std::size_t i = 0; i < line.size(); ++i) line[i] = 4 - 0.25 * static_cast<double>(i);
  for (const double value : Levelled(line)) EXPECT_NEAR(value, 0, 1e-9);
}

TEST(GraphsTest, DescribeHandComputedProfiles) {
  const double a = 2;
  // Material ratio p of a sine lies at height a cos(pi p).
  const std::vector<double> bac = BearingAreaCurve(Sine(4000, 4000, a), 101);
  ASSERT_EQ(bac.size(), 101u);
  for (std::size_t i = 0; i < bac.size(); ++i) {
    EXPECT_NEAR(bac[i], a * std::cos(pi * static_cast<double>(i) / 100), 0.01) << i;
  }
  // The power of a 40-wave sine is a^2 / 2, nothing elsewhere.
  const std::vector<double> power = PowerSpectrum(Sine(4000, 100, a), 256);
  ASSERT_EQ(power.size(), 256u);
  for (std::size_t k = 1; k <= power.size(); ++k) {
    EXPECT_NEAR(power[k - 1], k == 40 ? a * a / 2 : 0, 1e-12) << k;
  }
  // Heights in classes, in % of the points: a square wave, a constant.
  std::vector<double> square(1000);
  for (std::size_t i = 0; i < square.size(); ++i) square[i] = i % 100 < 50 ? a : -a;
  EXPECT_EQ(AmplitudeDistribution(square, 5), (std::vector<double>{50, 0, 0, 0, 50}));
  EXPECT_EQ(AmplitudeDistribution(std::vector<double>(1000, 1.0), 5),
            (std::vector<double>{0, 0, 100, 0, 0}));
}

}  // namespace
}  // namespace kvsim::test
