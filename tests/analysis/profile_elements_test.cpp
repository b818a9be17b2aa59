// SPDX-License-Identifier: GPL-3.0-or-later
// Profile elements: ripples that cross the mean line are no elements of
// their own when they are too low or too narrow.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "analysis/profile_elements.h"

namespace {

using std::numbers::pi;

constexpr double kWavelength = 100;  // points
constexpr double kAmplitude = 1;

// Five periods of a sine starting mid-peak (so the ends cut a peak), with a
// ripple of `ripple` amplitude and `rippleWavelength` points.
std::vector<double> Rippled(double ripple, double rippleWavelength) {
  std::vector<double> z(501);
  for (std::size_t i = 0; i < z.size(); ++i) {
    const double x = static_cast<double>(i);
    z[i] = kAmplitude * std::sin(2 * pi * x / kWavelength + pi / 2) +
           ripple * std::sin(2 * pi * x / rippleWavelength);
  }
  return z;
}

struct Case {
  const char* what;
  double ripple;
  double rippleWavelength;
  double minHeight;
  double minWidth;
  int elements;
  double meanWidth;
};

class Elements : public ::testing::TestWithParam<Case> {};

TEST_P(Elements, CountOnlySignificantPeaksAndValleys) {
  const Case& c = GetParam();
  const kv::ProfileElements e =
      kv::ElementsOf(Rippled(c.ripple, c.rippleWavelength), c.minHeight, c.minWidth);
  EXPECT_EQ(e.count, c.elements) << c.what;
  EXPECT_NEAR(e.meanWidth, c.meanWidth, 1.5) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Ripples, Elements,
    ::testing::Values(
        // Four whole periods between the cut half peaks at the ends.
        Case{"a clean sine", 0, 10, 0.2, 5, 4, kWavelength},
        // A ripple 0.3 high and 10 points long crosses the mean line near
        // every crossing of the sine; the discrimination merges it away.
        Case{"narrow ripples", 0.3, 10, 0.2, 10, 4, kWavelength},
        Case{"low ripples", 0.3, 10, 0.5, 0, 4, kWavelength},
        // Without discrimination the same ripples make small elements of their own.
        Case{"ripples counted", 0.3, 10, 0, 0, 9, 45.2}));

}  // namespace
