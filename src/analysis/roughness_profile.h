// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "analysis/measuring_conditions.h"
#include "platform/status.h"

namespace kv {

// The roughness profile over the evaluation length, in micrometres above
// the mean line: sampling length k starts at heights[k * samplingPoints];
// the last point closes the evaluation length.
struct RoughnessProfile {
  std::vector<double> heights;
  std::size_t samplingPoints = 0;
  int samplingLengths = 0;
  double pitch = 0;  // micrometres
};

// The roughness profile of a measured profile (micrometres, one value each
// pitch). Refused when the measured profile is shorter than the evaluation
// length.
Result<RoughnessProfile> ExtractRoughness(std::span<const double> measured,
                                          const MeasuringConditions& conditions);

}  // namespace kv
