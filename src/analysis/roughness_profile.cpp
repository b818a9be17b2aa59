// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/roughness_profile.h"

#include <cmath>
#include <string>

#include "analysis/gaussian_filter.h"

namespace kv {

namespace {

// The profile less its least-squares straight line: the tilt of the part is
// form, not roughness, and taken away before the filter.
std::vector<double> Levelled(std::span<const double> profile) {
  const auto n = static_cast<double>(profile.size());
  const double meanX = (n - 1) / 2;
  double meanZ = 0;
  for (double z : profile) meanZ += z / n;
  double sxz = 0;
  double sxx = 0;
  for (std::size_t i = 0; i < profile.size(); ++i) {
    const double x = static_cast<double>(i) - meanX;
    sxz += x * (profile[i] - meanZ);
    sxx += x * x;
  }
  const double slope = sxx > 0 ? sxz / sxx : 0;
  std::vector<double> levelled(profile.size());
  for (std::size_t i = 0; i < profile.size(); ++i) {
    levelled[i] = profile[i] - meanZ - slope * (static_cast<double>(i) - meanX);
  }
  return levelled;
}

}  // namespace

// The measured profile is the controller's primary profile: lambda-s has
// been applied before it is stored (the controller's evaluation data is this
// profile, levelled, less its mean line), so it is not applied again.
//
// End effects: the mean line at a point weighs the profile up to one cut-off
// on either side. The controller traces half a cut-off before and after the
// evaluation length (run-in and run-out), so the evaluation length is the
// middle of the measured profile and the run-in and run-out are left out of
// every parameter. Within half a cut-off of the evaluation length's ends the
// kernel reaches past the traced profile; only its weights over the trace
// count there, scaled again (what is cut weighs at most 0.8 %). Levelling
// first keeps the tilt of the part out of that one-sided mean line. A profile
// traced without run-in and run-out is evaluated the same way, with the mean
// line bent over its first and last half cut-off.
Result<RoughnessProfile> ExtractRoughness(std::span<const double> measured,
                                          const MeasuringConditions& conditions) {
  RoughnessProfile roughness;
  roughness.pitch = conditions.pitch;
  roughness.samplingLengths = conditions.samplingLengths;
  const double cutoffPoints = conditions.cutoff / conditions.pitch;
  roughness.samplingPoints = static_cast<std::size_t>(std::lround(cutoffPoints));
  const std::size_t evaluated =
      roughness.samplingPoints * static_cast<std::size_t>(conditions.samplingLengths) + 1;
  if (roughness.samplingPoints < 2) {
    return Status::Error(StatusCode::kBadFile,
                         "The cut-off holds fewer than two points at the sampling pitch.");
  }
  if (measured.size() < evaluated) {
    return Status::Error(StatusCode::kBadFile,
                         "The measured profile holds " + std::to_string(measured.size()) +
                             " points, fewer than the " + std::to_string(evaluated) +
                             " of the evaluation length.");
  }
  const std::vector<double> levelled = Levelled(measured);
  const std::size_t first = (measured.size() - evaluated) / 2;
  roughness.heights = GaussianLowPass(levelled, cutoffPoints, first, first + evaluated);
  for (std::size_t i = 0; i < evaluated; ++i) {
    roughness.heights[i] = levelled[first + i] - roughness.heights[i];
  }
  return roughness;
}

}  // namespace kv
