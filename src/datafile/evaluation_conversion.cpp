// SPDX-License-Identifier: GPL-3.0-or-later
#include "datafile/evaluation_conversion.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "datafile/data_sections.h"
#include "results/number_text.h"

namespace kv {
namespace {

constexpr int kHeaderAbscissas = 6;

std::string_view TrimSpaces(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The point count: a whole number, alone on its line (spaces and one ";"
// after it allowed).
std::optional<std::int64_t> PointCount(std::string_view line) {
  std::string_view text = TrimSpaces(line);
  if (text.ends_with(';')) text = TrimSpaces(text.substr(0, text.size() - 1));
  std::int64_t count = 0;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, count);
  if (text.empty() || text[0] == '-' || error != std::errc() || stop != end) return std::nullopt;
  return count;
}

// A decimal number with an optional sign, point and exponent, spaces around
// it allowed; none for anything else, such as an empty text, "1,5" or "NaN".
std::optional<double> NumberValue(std::string_view text) {
  text = TrimSpaces(text);
  if (text.starts_with('+')) {  // from_chars takes a "-" only
    text.remove_prefix(1);
    if (text.starts_with('-')) return std::nullopt;
  }
  // A number ends in a digit or its point, which "inf", "nan" and "1e" do not.
  if (text.empty() ||
      !(std::isdigit(static_cast<unsigned char>(text.back())) || text.back() == '.')) {
    return std::nullopt;
  }
  double value = 0;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

// The value field of a point line: between its first and second ";".
std::optional<std::string_view> ValueField(std::string_view line) {
  const std::size_t first = line.find(';');
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t second = line.find(';', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  return line.substr(first + 1, second - first - 1);
}

Status BadData(std::string text) {
  return Status::Error(StatusCode::kNoDataSection, std::move(text));
}

// Line numbers as an editor shows them, from 1.
std::string LineNumber(std::int64_t index) {
  return "line " + std::to_string(index + 1);
}

// The entries of `count` points from line `first` on, or why one is unusable.
Result<LineList> PointEntries(const DataLineList& lines, std::int64_t first, std::int64_t count,
                              bool inch) {
  LineList entries;
  entries.reserve(static_cast<std::size_t>(count) + 1);
  for (std::int64_t index = first; index < first + count; ++index) {
    std::optional<std::string_view> line = LineAt(lines, index);
    if (!line) return BadData("The data file ends before its " + LineNumber(index) + ".");
    std::optional<std::string_view> field = ValueField(*line);
    if (!field) return BadData("The point in " + LineNumber(index) + " has no \"x;y;\" fields.");
    std::optional<double> value = NumberValue(*field);
    if (!value) return BadData("The value in " + LineNumber(index) + " is not a number.");
    entries.emplace_back(inch ? GeneralNumberText(*value / 25.4 * 1000) : std::string(*field));
  }
  entries.emplace_back();
  return entries;
}

// x of the six lines after the unread one, read as a leading number; a line
// beyond the file reads as 0.
double SamplingPitch(const DataLineList& lines, std::int64_t first) {
  std::optional<std::string_view> line = LineAt(lines, first + kHeaderAbscissas - 1);
  if (!line) return 0;
  return LeadingNumber(line->substr(0, line->find(';'))) / 5;
}

}  // namespace

Result<double> DataFileToEvaluation(const DataLineList& lines, ConversionContext& context) {
  const std::string marker = SectionMarker(context.settings.EvaluationSelection, "CalcData");
  std::optional<std::int32_t> markerLine = FindSection(lines, marker);
  if (!markerLine) return BadData("The data file has no \"" + marker + "\" line.");
  const std::int64_t countIndex = *markerLine + std::int64_t{1};
  std::optional<std::string_view> countLine = LineAt(lines, countIndex);
  std::optional<std::int64_t> count = countLine ? PointCount(*countLine) : std::nullopt;
  if (!count) {
    return BadData("The point count in " + LineNumber(countIndex) +
                   " is missing or not a whole number.");
  }
  // A count beyond the lines the file has cannot be met.
  if (*count > lines.LineCount) {
    return BadData("The point count " + std::to_string(*count) + " is more than the file's " +
                   std::to_string(lines.LineCount + std::int64_t{1}) + " lines.");
  }
  const std::int64_t first = countIndex + 2;
  Result<LineList> entries = PointEntries(lines, first, *count, context.settings.UnitSetting == 2);
  if (!entries.ok()) return entries.status();
  context.stage.AddCsv("Evaluation.csv", entries.value());
  return SamplingPitch(lines, first);
}

}  // namespace kv
