// SPDX-License-Identifier: GPL-3.0-or-later
// A sine well below the cut-off passes the filter whole, and its parameters
// are known in closed form. Each sampling length holds whole periods.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "analysis/roughness_parameters.h"

namespace {

using std::numbers::pi;

struct Sine {
  double amplitude;   // um
  double wavelength;  // um
  double pitch;       // um
  double cutoff;      // um
  int samplingLengths;
};

// The sine over the evaluation length with half a cut-off of run-in and
// run-out, on a tilted line that the mean line takes away.
std::vector<double> Measured(const Sine& s) {
  const auto points =
      static_cast<std::size_t>(std::lround((s.samplingLengths + 1) * s.cutoff / s.pitch)) + 1;
  std::vector<double> profile(points);
  for (std::size_t i = 0; i < points; ++i) {
    const double x = static_cast<double>(i) * s.pitch;
    profile[i] = s.amplitude * std::sin(2 * pi * x / s.wavelength + 0.3) + 0.002 * x + 5;
  }
  return profile;
}

class SineProfile : public ::testing::TestWithParam<Sine> {};

TEST_P(SineProfile, GivesTheClosedFormParameters) {
  const Sine& s = GetParam();
  const auto roughness = kv::ExtractRoughness(
      Measured(s), {.cutoff = s.cutoff, .samplingLengths = s.samplingLengths, .pitch = s.pitch});
  ASSERT_TRUE(roughness.ok()) << roughness.status().description();
  const kv::RoughnessParameters p = kv::ComputeParameters(roughness.value());
  const double a = s.amplitude;
  // Sampling stops a peak up to half a pitch short of its top.
  const double peak = a * (1 - std::cos(pi * s.pitch / s.wavelength));
  EXPECT_NEAR(p.ra, 2 * a / pi, 2e-3 * a);
  EXPECT_NEAR(p.rq, a / std::sqrt(2), 2e-3 * a);
  EXPECT_NEAR(p.rsk, 0, 1e-2);
  EXPECT_NEAR(p.rku, 1.5, 1e-2);
  EXPECT_NEAR(p.rp, a, peak + 1e-3 * a);
  EXPECT_NEAR(p.rv, a, peak + 1e-3 * a);
  EXPECT_NEAR(p.rz, 2 * a, 2 * peak + 2e-3 * a);
  EXPECT_NEAR(p.rt, 2 * a, 2 * peak + 2e-3 * a);
  EXPECT_NEAR(p.rc, 2 * a, 2 * peak + 2e-3 * a);
  EXPECT_NEAR(p.rsm, s.wavelength, 1e-3 * s.wavelength);
  EXPECT_NEAR(p.rdq, 2 * pi * a / s.wavelength / std::sqrt(2), 2e-3 * p.rdq);
  // A quarter of Rt below the highest peak a sine is material for a third of
  // its length; counted in points, each period can be one point off.
  EXPECT_NEAR(p.rmr, 100.0 / 3, 100 * s.pitch / s.wavelength + 0.05);
}

// The tilt of the part is form: levelled away up to the evaluation length's
// ends, where the mean line has the profile on one side only.
TEST(TiltedLine, HasNoRoughness) {
  std::vector<double> line(4801);
  for (std::size_t i = 0; i < line.size(); ++i) line[i] = 3 + 0.004 * static_cast<double>(i);
  const auto roughness =
      kv::ExtractRoughness(line, {.cutoff = 800, .samplingLengths = 5, .pitch = 1});
  ASSERT_TRUE(roughness.ok());
  ASSERT_EQ(roughness.value().heights.size(), 4001U);
  for (double height : roughness.value().heights) EXPECT_NEAR(height, 0, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Sines, SineProfile,
                         ::testing::Values(Sine{1.0, 100, 1, 800, 5}, Sine{0.25, 80, 0.5, 800, 5},
                                           Sine{3.0, 500, 1, 2500, 5}, Sine{2.0, 50, 0.1, 250, 3},
                                           Sine{0.1, 20, 0.05, 80, 5},
                                           Sine{5.0, 1000, 5, 8000, 4}));

}  // namespace
