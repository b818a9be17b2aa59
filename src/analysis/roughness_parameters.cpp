// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/roughness_parameters.h"

#include <algorithm>
#include <span>

#include "analysis/amplitude_parameters.h"
#include "analysis/material_ratio.h"
#include "analysis/profile_elements.h"

namespace kv {
namespace {

// Profile elements count from 10 % of Rz high and 1 % of the sampling length wide.
constexpr double kHeightDiscrimination = 0.1;
constexpr double kWidthDiscrimination = 0.01;
// The controller gives Rmr at a quarter of Rt below the highest peak; the
// level is in none of its result files, so it is fixed here.
constexpr double kMaterialRatioDepth = 0.25;

// Adds the parameters of one sampling length to the sums.
void AddSamplingLength(const RoughnessProfile& profile, std::size_t first, std::size_t points,
                       RoughnessParameters& sums, int& withElements) {
  const std::span<const double> heights(profile.heights.data() + first, points);
  const Amplitudes a = AmplitudesOf(heights);
  sums.ra += a.ra;
  sums.rq += a.rq;
  sums.rp += a.rp;
  sums.rv += a.rv;
  sums.rz += a.rp + a.rv;
  sums.rsk += a.rsk;
  sums.rku += a.rku;
  sums.rdq += RmsSlope(profile.heights, first, first + points, profile.pitch);
  const ProfileElements elements =
      ElementsOf(heights, kHeightDiscrimination * (a.rp + a.rv),
                 kWidthDiscrimination * static_cast<double>(profile.samplingPoints));
  if (elements.count > 0) {
    sums.rc += elements.meanHeight;
    sums.rsm += elements.meanWidth * profile.pitch;
    ++withElements;
  }
}

}  // namespace

RoughnessParameters ComputeParameters(const RoughnessProfile& profile) {
  RoughnessParameters p;
  int withElements = 0;
  // Every point belongs to one sampling length; the point that closes the
  // evaluation length to the last.
  for (int k = 0; k < profile.samplingLengths; ++k) {
    const bool last = k + 1 == profile.samplingLengths;
    AddSamplingLength(profile, static_cast<std::size_t>(k) * profile.samplingPoints,
                      profile.samplingPoints + (last ? 1 : 0), p, withElements);
  }
  const double lengths = profile.samplingLengths;
  for (double* mean : {&p.ra, &p.rq, &p.rz, &p.rp, &p.rv, &p.rsk, &p.rku, &p.rdq}) {
    *mean /= lengths;
  }
  if (withElements > 0) {
    p.rc /= withElements;
    p.rsm /= withElements;
  }
  const auto [lowest, highest] =
      std::minmax_element(profile.heights.begin(), profile.heights.end());
  p.rt = *highest - *lowest;
  p.rmrStep = 100 / static_cast<double>(profile.heights.size());
  p.rmr = MaterialRatio(profile.heights, *highest - kMaterialRatioDepth * p.rt);
  return p;
}

}  // namespace kv
