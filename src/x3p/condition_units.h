// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/status.h"

namespace kv {

// What "Condition.csv" says about the units of a measurement's files.
struct ConditionUnits {
  double pitchMicrometres = 0;  // between two points of a profile
  bool inch = false;            // "UNT 2": evaluation values in microinches
};

// From the pitch line ("STP ...", line 7) and the unit line ("UNT 1" or
// "UNT 2", line 8) of "Condition.csv"; an error naming the file and the line
// when either is missing or unreadable.
Result<ConditionUnits> ConditionUnitsOf(const std::vector<std::string>& lines);

}  // namespace kv
