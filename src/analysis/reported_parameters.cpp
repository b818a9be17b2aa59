// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/reported_parameters.h"

#include <charconv>
#include <optional>
#include <string_view>

namespace kv {
namespace {

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::optional<ReportedParameter> ParseLine(std::string_view line) {
  const auto space = line.find(' ');
  if (space == 0 || space == std::string_view::npos) return std::nullopt;
  ReportedParameter parameter;
  parameter.name = std::string(line.substr(0, space));
  const std::string_view rest = Trimmed(line.substr(space));
  const auto digits = rest.find_first_not_of("+-0123456789.");
  const std::string_view number = rest.substr(0, digits);
  const char* begin = number.data() + (number.starts_with('+') ? 1 : 0);
  const auto [end, error] = std::from_chars(begin, number.data() + number.size(), parameter.value);
  if (error != std::errc() || end != number.data() + number.size()) return std::nullopt;
  parameter.valueText = std::string(number);
  const auto point = number.find('.');
  parameter.decimals =
      point == std::string_view::npos ? 0 : static_cast<int>(number.size() - point - 1);
  parameter.unit =
      digits == std::string_view::npos ? "" : std::string(Trimmed(rest.substr(digits)));
  return parameter;
}

}  // namespace

std::vector<ReportedParameter> ParseReportedParameters(const std::vector<std::string>& lines) {
  std::vector<ReportedParameter> parameters;
  for (const std::string& line : lines) {
    if (auto parameter = ParseLine(line)) parameters.push_back(std::move(*parameter));
  }
  return parameters;
}

}  // namespace kv
