// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analysis/reported_parameters.h"
#include "analysis/roughness_parameters.h"
#include "platform/status.h"

namespace kv {

// One parameter the controller reported beside the same one computed from
// the measured profile, in the controller's unit.
struct ParameterComparison {
  std::string name;            // as the controller names it: "Ra", "RDq", "Rmr"
  std::string unit;            // the controller's unit text: "um", "mm", "%", ""
  std::string controllerText;  // the controller's value as it showed it
  double controller = 0;
  double computed = 0;
  int decimals = 0;       // shown by the controller; the computed value gets one more
  double difference = 0;  // computed - controller
  // The difference exceeds the display rounding: half a unit of the
  // controller's last digit and half a unit of the computed value's (and,
  // for Rmr, the share of one point of the evaluation length).
  bool disagrees = false;
};

// The parameters the controller reported and the check computes, in the
// controller's order.
struct ParameterCheck {
  std::vector<ParameterComparison> rows;
  bool AllAgree() const;
};

// Compares what the controller reported with what was computed. Refused
// when none of the checked parameters was reported, or one has a unit that
// does not fit it.
Result<ParameterCheck> CompareParameters(const std::vector<ReportedParameter>& reported,
                                         const RoughnessParameters& computed);

// The whole check from the bytes of "Parameter.csv", "Condition.csv" and
// "Measured.csv".
Result<ParameterCheck> CheckParameters(std::string_view parameterCsv, std::string_view conditionCsv,
                                       std::string_view measuredCsv);

}  // namespace kv
