// SPDX-License-Identifier: GPL-3.0-or-later
#include "x3p/condition_units.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>
#include <utility>

namespace kv {
namespace {

constexpr std::size_t kPitchLine = 6;
constexpr std::size_t kUnitLine = 7;
constexpr double kMicrometresPerMicroinch = 0.0254;

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
  double value = 0;
  auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
  if (error != std::errc() || end != line.data() + line.size() || !std::isfinite(value) ||
      value <= 0) {
    return std::nullopt;
  }
  return value;
}

// The inch pitch line names the metric pitch rounded ("STP 20.0" for 0.5 µm,
// which is 19.685 µin); the points lie the metric pitch apart.
double InchPitchMicrometres(double microinches) {
  static constexpr std::pair<double, double> kNamedAs[] = {{2, 0.05}, {4, 0.1},  {20, 0.5}, {40, 1},
                                                           {200, 5},  {400, 10}, {2000, 50}};
  for (auto [named, micrometres] : kNamedAs) {
    if (microinches == named) return micrometres;
  }
  return microinches * kMicrometresPerMicroinch;
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
  units.pitchMicrometres = units.inch ? InchPitchMicrometres(*pitch) : *pitch;
  return units;
}

}  // namespace kv
