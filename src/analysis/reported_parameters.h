// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace kv {

// One line of "Parameter.csv": the name, the value as the controller
// rounded it, and its unit ("um", "mm", "uin", "%", or none).
struct ReportedParameter {
  std::string name;
  std::string valueText;
  double value = 0;
  int decimals = 0;  // digits after the point of valueText
  std::string unit;
};

// The lines that hold a name and a number; others are passed over. The value
// may be followed by its unit after spaces or directly (data-file imports).
std::vector<ReportedParameter> ParseReportedParameters(const std::vector<std::string>& lines);

}  // namespace kv
