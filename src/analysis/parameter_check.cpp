// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/parameter_check.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "analysis/measured_profile.h"
#include "analysis/measuring_conditions.h"
#include "platform/file_system.h"

namespace kv {
namespace {

enum class Kind { kLength, kNumber, kPercent };

struct Checked {
  std::string_view name;
  double RoughnessParameters::*value;
  Kind kind;
};

constexpr std::array<Checked, 12> kChecked{{{"Ra", &RoughnessParameters::ra, Kind::kLength},
                                            {"Rq", &RoughnessParameters::rq, Kind::kLength},
                                            {"Rz", &RoughnessParameters::rz, Kind::kLength},
                                            {"Rp", &RoughnessParameters::rp, Kind::kLength},
                                            {"Rv", &RoughnessParameters::rv, Kind::kLength},
                                            {"Rt", &RoughnessParameters::rt, Kind::kLength},
                                            {"Rc", &RoughnessParameters::rc, Kind::kLength},
                                            {"Rsk", &RoughnessParameters::rsk, Kind::kNumber},
                                            {"Rku", &RoughnessParameters::rku, Kind::kNumber},
                                            {"RSm", &RoughnessParameters::rsm, Kind::kLength},
                                            {"RDq", &RoughnessParameters::rdq, Kind::kNumber},
                                            {"Rmr", &RoughnessParameters::rmr, Kind::kPercent}}};

// The factor from the computed value (micrometres for lengths) to the
// controller's unit; none when the unit does not fit the kind.
std::optional<double> UnitFactor(Kind kind, std::string_view unit) {
  constexpr double kMicrometresPerInch = 25400;
  switch (kind) {
    case Kind::kLength:
      if (unit == "um") return 1;
      if (unit == "mm") return 1e-3;
      if (unit == "uin") return 1e6 / kMicrometresPerInch;
      if (unit == "in") return 1 / kMicrometresPerInch;
      return std::nullopt;
    case Kind::kNumber:
      return unit.empty() ? std::optional<double>(1) : std::nullopt;
    case Kind::kPercent:
      return unit == "%" ? std::optional<double>(1) : std::nullopt;
  }
  return std::nullopt;
}

const Checked* CheckedNamed(std::string_view name) {
  const auto* found = std::find_if(kChecked.begin(), kChecked.end(),
                                   [&](const Checked& c) { return c.name == name; });
  return found == kChecked.end() ? nullptr : found;
}

}  // namespace

bool ParameterCheck::AllAgree() const {
  return std::none_of(rows.begin(), rows.end(),
                      [](const ParameterComparison& row) { return row.disagrees; });
}

Result<ParameterCheck> CompareParameters(const std::vector<ReportedParameter>& reported,
                                         const RoughnessParameters& computed) {
  ParameterCheck check;
  for (const ReportedParameter& parameter : reported) {
    const Checked* checked = CheckedNamed(parameter.name);
    if (!checked) continue;
    const auto factor = UnitFactor(checked->kind, parameter.unit);
    if (!factor) {
      return Status::Error(StatusCode::kBadFile, "The unit \"" + parameter.unit + "\" of " +
                                                     parameter.name + " is not known.");
    }
    ParameterComparison row{.name = parameter.name,
                            .unit = parameter.unit,
                            .controllerText = parameter.valueText,
                            .controller = parameter.value,
                            .computed = computed.*(checked->value) * *factor,
                            .decimals = parameter.decimals};
    row.difference = row.computed - row.controller;
    // Rmr counts points: one point more or less is within what it can tell.
    const double resolution = checked->kind == Kind::kPercent ? computed.rmrStep : 0;
    const double unit = std::pow(10.0, -row.decimals);
    row.disagrees = std::abs(row.difference) > 0.5 * unit + 0.05 * unit + resolution;
    check.rows.push_back(std::move(row));
  }
  if (check.rows.empty()) {
    return Status::Error(StatusCode::kBadFile,
                         "\"Parameter.csv\" holds none of the parameters that are checked.");
  }
  return check;
}

Result<ParameterCheck> CheckParameters(std::string_view parameterCsv, std::string_view conditionCsv,
                                       std::string_view measuredCsv) {
  const auto conditions = ParseConditions(TextLines(conditionCsv));
  if (!conditions.ok()) return conditions.status();
  const auto measured = ParseMeasuredProfile(measuredCsv);
  if (!measured.ok()) return measured.status();
  const auto roughness = ExtractRoughness(measured.value(), conditions.value());
  if (!roughness.ok()) return roughness.status();
  return CompareParameters(ParseReportedParameters(TextLines(parameterCsv)),
                           ComputeParameters(roughness.value()));
}

}  // namespace kv
