// SPDX-License-Identifier: GPL-3.0-or-later
// The roughness calculations against profiles whose results are known by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "sim/graphs.h"
#include "sim/profile_elements.h"
#include "sim/profile_filter.h"
#include "sim/profile_parameters.h"

namespace kvsim::test {
namespace {

using std::numbers::pi;
using std::numbers::sqrt2;

constexpr double kPitch = 0.001;  // mm: 1 um between points

std::vector<double> Sine(std::size_t points, double period, double amplitude) {
  std::vector<double> z(points);
  for (std::size_t i = 0; i < points; ++i) {
    z[i] = amplitude * std::sin(2 * pi * static_cast<double>(i) / period);
  }
  return z;
}

std::vector<double> Square(std::size_t points, std::size_t period, double amplitude) {
  std::vector<double> z(points);
  for (std::size_t i = 0; i < points; ++i) z[i] = i % period < period / 2 ? amplitude : -amplitude;
  return z;
}

TEST(ProfileParametersTest, MatchHandComputedProfiles) {
  // 80,000 points in five sampling lengths of 16 waves of 1 mm each.
  const double a = 2;
  const struct {
    const char* name;
    std::vector<double> z;
    ProfileParameters expected;
  } cases[] = {
      {"sine",
       Sine(80000, 1000, a),
       {.a = 2 * a / pi,
        .q = a / sqrt2,
        .sk = 0,
        .ku = 1.5,
        .p = a,
        .v = a,
        .z = 2 * a,
        .t = 2 * a,
        .c = 2 * a,
        .zMax = 2 * a,
        .sm = 1,
        .deltaQ = 2 * pi * a / 1000 / sqrt2,
        .lambdaQ = 1000,
        .mr = 100.0 / 3,  // sin x >= 1/2 on a third of the wave
        .deltaC = sqrt2 * a,
        .pc = 10}},
      {"square wave",
       Square(80000, 1000, a),
       {.a = a,
        .q = a,
        .sk = 0,
        .ku = 1,
        .p = a,
        .v = a,
        .z = 2 * a,
        .t = 2 * a,
        .c = 2 * a,
        .zMax = 2 * a,
        .sm = 1,
        .deltaQ = -1,  // steps have no slope to compute by hand
        .lambdaQ = -1,
        .mr = 50,
        .deltaC = 2 * a,
        .pc = 10}},
      {"flat on the mean line", std::vector<double>(80000, 0.0), {.mr = 100}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ProfileParameters got = ComputeParameters(c.z, kPitch, 5);
    const ProfileParameters& want = c.expected;
    EXPECT_NEAR(got.a, want.a, 1e-3);
    EXPECT_NEAR(got.q, want.q, 1e-9);
    EXPECT_NEAR(got.sk, want.sk, 1e-9);
    EXPECT_NEAR(got.ku, want.ku, 1e-9);
    EXPECT_NEAR(got.p, want.p, 1e-9);
    EXPECT_NEAR(got.v, want.v, 1e-9);
    EXPECT_NEAR(got.z, want.z, 1e-9);
    EXPECT_NEAR(got.t, want.t, 1e-9);
    EXPECT_NEAR(got.c, want.c, 1e-9);
    EXPECT_NEAR(got.zMax, want.zMax, 1e-9);
    EXPECT_NEAR(got.sm, want.sm, 1e-9);
    if (want.deltaQ >= 0) {
      EXPECT_NEAR(got.deltaQ, want.deltaQ, 1e-6);
      EXPECT_NEAR(got.lambdaQ, want.lambdaQ, 0.1);
    }
    EXPECT_NEAR(got.mr, want.mr, 0.5);
    EXPECT_NEAR(got.deltaC, want.deltaC, 0.01);
    EXPECT_NEAR(got.pc, want.pc, 1e-6);
  }
}

TEST(ProfileElementsTest, LowOrNarrowPartsJoinTheirNeighbours) {
  std::vector<double> sine = Sine(1000, 100, 1);
  std::vector<double> shallowValley = sine;
  for (std::size_t i = 351; i < 400; ++i) shallowValley[i] *= 0.05;  // 0.05 deep: below 10 %
  std::vector<double> rippled = sine;
  for (std::size_t i = 0; i < rippled.size(); ++i) {
    rippled[i] += 0.15 * std::sin(2 * pi * static_cast<double>(i) / 5);  // 2-point parts
  }
  const struct {
    const char* name;
    const std::vector<double>& z;
    std::vector<double> widths;
  } cases[] = {
      {"sine", sine, {100, 100, 100, 100, 100, 100, 100, 100}},
      {"shallow valley", shallowValley, {100, 100, 200, 100, 100, 100, 100}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<ProfileElement> elements = ProfileElements(c.z, 0.2, 10);
    ASSERT_EQ(elements.size(), c.widths.size());
    for (std::size_t i = 0; i < elements.size(); ++i) {
      EXPECT_NEAR(elements[i].width, c.widths[i], 1e-9) << i;
      EXPECT_NEAR(elements[i].height, 2, 1e-9) << i;
    }
  }
  // Ripples cross the mean line near each crossing of the wave but make no
  // elements of their own.
  const std::vector<ProfileElement> elements = ProfileElements(rippled, 0.2, 10);
  ASSERT_EQ(elements.size(), 8u);
  for (const ProfileElement& element : elements) EXPECT_NEAR(element.width, 100, 1e-6);
}

TEST(ProfileFilterTest, PassesHalfTheCutoffWave) {
  // Transmission exp(-pi (alpha lc / l)^2) with alpha^2 = ln 2 / pi: 1/2 at
  // the cut-off, 1/16 at half of it, the fourth root of 1/2 at twice it.
  const double cutoff = 200;  // points
  const struct {
    double wavelength;
    double transmission;
  } cases[] = {{cutoff, 0.5}, {cutoff / 2, 1.0 / 16}, {2 * cutoff, std::pow(0.5, 0.25)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.wavelength);
    const std::vector<double> mean = GaussianMeanLine(Sine(4000, c.wavelength, 1), cutoff);
    double amplitude = 0;
    for (std::size_t i = 1000; i < 3000; ++i) amplitude = std::max(amplitude, std::abs(mean[i]));
    EXPECT_NEAR(amplitude, c.transmission, 1e-3);
  }
  // A constant stays itself up to the ends; a straight line is levelled away.
  for (const double value : GaussianMeanLine(std::vector<double>(500, 3.5), cutoff)) {
    EXPECT_NEAR(value, 3.5, 1e-12);
  }
  std::vector<double> line(500);
  for (std::size_t i = 0; i < line.size(); ++i) line[i] = 4 - 0.25 * static_cast<double>(i);
  for (const double value : Levelled(line)) EXPECT_NEAR(value, 0, 1e-9);
}

TEST(GraphsTest, DescribeHandComputedProfiles) {
  const double a = 2;
  const std::vector<double> sine = Sine(4000, 100, a);  // 40 waves
  // Material ratio p of a sine lies at height a cos(pi p).
  const std::vector<double> bac = BearingAreaCurve(Sine(4000, 4000, a), 101);
  ASSERT_EQ(bac.size(), 101u);
  for (std::size_t i = 0; i < bac.size(); ++i) {
    EXPECT_NEAR(bac[i], a * std::cos(pi * static_cast<double>(i) / 100), 0.01) << i;
  }
  // The power of the 40-wave component is a^2 / 2, nothing elsewhere.
  const std::vector<double> power = PowerSpectrum(sine, 256);
  ASSERT_EQ(power.size(), 256u);
  for (std::size_t k = 1; k <= power.size(); ++k) {
    EXPECT_NEAR(power[k - 1], k == 40 ? a * a / 2 : 0, 1e-12) << k;
  }
  EXPECT_EQ(PowerSpectrum(sine, 5000).size(), 2000u);  // at most half the points
  // Heights in classes, in % of the points.
  EXPECT_EQ(AmplitudeDistribution(Square(1000, 100, a), 5), (std::vector<double>{50, 0, 0, 0, 50}));
  EXPECT_EQ(AmplitudeDistribution(std::vector<double>(1000, 1.0), 5),
            (std::vector<double>{0, 0, 100, 0, 0}));
  double total = 0;
  for (const double share : AmplitudeDistribution(sine, 51)) total += share;
  EXPECT_NEAR(total, 100, 1e-9);
}

}  // namespace
}  // namespace kvsim::test
