// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/status.h"

namespace kv {

// What the parameter check needs of the measuring conditions, in
// micrometres whatever unit "Condition.csv" shows.
struct MeasuringConditions {
  double cutoff = 0;        // lambda-c, also the sampling length
  int samplingLengths = 0;  // in the evaluation length
  double pitch = 0;         // sampling pitch
};

// The conditions of the lines of "Condition.csv". Only the Gaussian-filtered
// roughness profile can be checked: another profile or filter, or a line that
// cannot be read, is refused.
Result<MeasuringConditions> ParseConditions(const std::vector<std::string>& lines);

}  // namespace kv
