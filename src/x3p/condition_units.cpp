// SPDX-License-Identifier: GPL-3.0-or-later
#include "x3p/condition_units.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

#include "results/condition_lines.h"
#include "results/number_text.h"

namespace kv {
namespace {

constexpr std::size_t kPitchLine = 6;
constexpr std::size_t kUnitLine = 7;

Status LineError(std::size_t line, std::string_view what) {
  return Status::Error(StatusCode::kBadFile, "\"Condition.csv\" in the working folder: line " +
                                                 std::to_string(line + 1) + " " +
                                                 std::string(what) + ".");
}

// The number after "STP " and any further spaces; none for anything else.
std::optional<double> PitchNumber(std::string_view line) {
  if (!line.starts_with("STP ")) return std::nullopt;
  line.remove_prefix(4);
  line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
  auto value = WholeNumber(line);
  if (!value || *value <= 0) return std::nullopt;
  return value;
}

}  // namespace

Result<ConditionUnits> ConditionUnitsOf(const std::vector<std::string>& lines) {
  if (lines.size() <= kUnitLine) {
    return LineError(lines.size(), "is missing: the file ends before the pitch and unit lines");
  }
  const std::string& unit = lines[kUnitLine];
  if (unit != "UNT 1" && unit != "UNT 2") {
    return LineError(kUnitLine, "is not \"UNT 1\" or \"UNT 2\"");
  }
  auto pitch = PitchNumber(lines[kPitchLine]);
  if (!pitch) return LineError(kPitchLine, "is not a sampling pitch (\"STP\" and a number)");
  ConditionUnits units;
  units.inch = unit == "UNT 2";
  units.pitchMicrometres = PitchMicrometres(*pitch, units.inch);
  return units;
}

}  // namespace kv
