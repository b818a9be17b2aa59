// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/parameter_check_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kv {
namespace {

// Fixed decimals; a value that rounds to 0 shows no sign.
std::string Fixed(double value, int decimals) {
  if (std::abs(value) < 0.5 * std::pow(10.0, -decimals)) value = 0;
  char text[64];
  (void)std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string Row(const std::string& name, const std::string& controller, const std::string& computed,
                const std::string& difference, const std::string& flag) {
  char text[160];
  (void)std::snprintf(text, sizeof text, "%-9s %-16s %14s %14s  %s", name.c_str(),
                      controller.c_str(), computed.c_str(), difference.c_str(), flag.c_str());
  std::string line = text;
  line.erase(line.find_last_not_of(' ') + 1);
  return line + "\n";
}

}  // namespace

std::string ParameterCheckText(const ParameterCheck& check) {
  std::string text = Row("Parameter", "Controller", "Computed", "Difference", "");
  for (const ParameterComparison& row : check.rows) {
    const std::string controller =
        row.unit.empty() ? row.controllerText : row.controllerText + " " + row.unit;
    text += Row(row.name, controller, Fixed(row.computed, row.decimals + 1),
                Fixed(row.difference, row.decimals + 1), row.disagrees ? "DIFFERS" : "");
  }
  const auto differing =
      std::count_if(check.rows.begin(), check.rows.end(),
                    [](const ParameterComparison& row) { return row.disagrees; });
  const std::string total = std::to_string(check.rows.size());
  text += differing == 0 ? "All " + total + " parameters agree with the measured profile.\n"
                         : std::to_string(differing) + " of " + total +
                               " parameters differ from the measured profile.\n";
  return text;
}

}  // namespace kv
