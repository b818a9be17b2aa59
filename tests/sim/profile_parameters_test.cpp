// SPDX-License-Identifier: GPL-3.0-or-later
// The roughness calculations against profiles whose results are known by hand.
#include <gtest/gtest.h>

#include <array>
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

// The parameters in the order of the struct, and the tolerances they are checked to.
std::array<double, 16> Listed(const ProfileParameters& p) {
  return {p.a, p.q,    p.sk, p.ku,     p.p,       p.v,  p.z,      p.t,
          p.c, p.zMax, p.sm, p.deltaQ, p.lambdaQ, p.mr, p.deltaC, p.pc};
}
constexpr double kTolerances[] = {1e-3, 1e-9, 1e-9, 1e-9, 1e-9, 1e-9, 1e-9, 1e-9,
                                  1e-9, 1e-9, 1e-9, 1e-6, 0.1,  0.5,  0.01, 1e-6};

TEST(ProfileParametersTest, MatchHandComputedProfiles) {
  // 80,000 points in five sampling lengths of 16 waves of 1 mm each. Material
  // ratio: sin x >= 1/2 on a third of the wave. Steps have no slope to
  // compute by hand (NaN: not checked).
  const double a = 2;
  const double none = std::nan("");
  const struct {
    const char* name;
    std::vector<double> z;
    std::array<double, 16> expected;
  } cases[] = {
      {"sine",
       Sine(80000, 1000, a),
       {2 * a / pi, a / sqrt2, 0, 1.5, a, a, 2 * a, 2 * a, 2 * a, 2 * a, 1,
        2 * pi * a / 1000 / sqrt2, 1000, 100.0 / 3, sqrt2 * a, 10}},
      {"square wave",
       Square(80000, 1000, a),
       {a, a, 0, 1, a, a, 2 * a, 2 * a, 2 * a, 2 * a, 1, none, none, 50, 2 * a, 10}},
      {"flat on the mean line",
       std::vector<double>(80000, 0.0),
       {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 100, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::array<double, 16> got = Listed(ComputeParameters(c.z, kPitch, 5));
    for (std::size_t i = 0; i < got.size(); ++i) {
      if (std::isnan(c.expected[i])) continue;
      EXPECT_NEAR(got[i], c.expected[i], kTolerances[i]) << "parameter " << i;
    }
  }
}

TEST(ProfileElementsTest, LowOrNarrowPartsJoinTheirNeighbours) {
  const std::vector<double> sine = Sine(1000, 100, 1);
  std::vector<double> shallowValley = sine;  // 0.05 deep: below 10 %
  for (std::size_t i = 351; i < 400; ++i) shallowValley[i] *= 0.05;
  // Ripples cross the mean line near each crossing of the wave in parts of 2 points.
  std::vector<double> rippled = sine;
  for (std::size_t i = 0; i < rippled.size(); ++i) {
    rippled[i] += 0.15 * std::sin(2 * pi * static_cast<double>(i) / 5);
  }
  const struct {
    const char* name;
    const std::vector<double>& z;
    std::vector<double> widths;
    double height;  // NaN: not checked
    double tolerance;
  } cases[] = {
      {"sine", sine, std::vector<double>(8, 100), 2, 1e-9},
      {"shallow valley", shallowValley, {100, 100, 200, 100, 100, 100, 100}, 2, 1e-9},
      {"ripples", rippled, std::vector<double>(8, 100), std::nan(""), 1e-6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<ProfileElement> elements = ProfileElements(c.z, 0.2, 10);
    ASSERT_EQ(elements.size(), c.widths.size());
    for (std::size_t i = 0; i < elements.size(); ++i) {
      EXPECT_NEAR(elements[i].width, c.widths[i], c.tolerance) << i;
      if (std::isnan(c.height)) continue;
      EXPECT_NEAR(elements[i].height, c.height, c.tolerance) << i;
    }
  }
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
  // Heights in classes, in % of the points.
  EXPECT_EQ(AmplitudeDistribution(Square(1000, 100, a), 5), (std::vector<double>{50, 0, 0, 0, 50}));
  EXPECT_EQ(AmplitudeDistribution(std::vector<double>(1000, 1.0), 5),
            (std::vector<double>{0, 0, 100, 0, 0}));
}

}  // namespace
}  // namespace kvsim::test
