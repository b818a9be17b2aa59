// SPDX-License-Identifier: GPL-3.0-or-later
#include "datafile/parameter_conversion.h"

#include <optional>

#include "datafile/data_sections.h"

namespace kv {
namespace {

constexpr std::size_t kMaxParameters = 51;
constexpr char kMicroSign = '\xB5';

// An entry from a "name;value;unit;" line: the name, five spaces, value and
// unit. A line that ends before its third ";" gives what was read, and the
// section ends with it (`last`).
std::string Entry(std::string_view line, bool& last) {
  std::string entry;
  int fields = 0;
  for (char c : line) {
    if (c == ';') {
      if (++fields == 1) entry += "     ";
      if (fields == 3) return entry;
      continue;
    }
    entry += c == kMicroSign ? 'u' : c;
  }
  last = true;
  return entry;
}

// The entries up to the end of the section: a "CalcData" line, an empty
// entry, a line ending early or the end of the file. None for more than 51.
std::optional<LineList> Entries(const DataLineList& lines, std::int32_t marker) {
  LineList entries;
  bool last = false;
  for (std::int64_t index = marker + 1; !last; ++index) {
    std::optional<std::string_view> line = LineAt(lines, index);
    if (!line || line->find("CalcData") != std::string_view::npos) break;
    std::string entry = Entry(*line, last);
    if (entry.empty()) break;
    if (entries.size() == kMaxParameters) return std::nullopt;
    entries.push_back(std::move(entry));
  }
  return entries;
}

// Rda and Rdq stand for RDa and RDq.
void FixDelta(std::string& entry) {
  if (entry.find("da") != std::string::npos || entry.find("dq") != std::string::npos) {
    entry[1] = 'D';
  }
}

// Each entry and a line break, then the break of the empty entry that ends them.
std::string ParameterDisplay(const LineList& entries) {
  std::string display;
  for (const auto& entry : entries) display += entry + "\r\n";
  return display + "\r\n";
}

// 1 metric, 2 inch: the first entry that holds a unit decides, metric first.
std::int16_t UnitOf(const LineList& entries) {
  for (const auto& entry : entries) {
    if (entry.find("um") != std::string::npos || entry.find("mm") != std::string::npos) return 1;
    if (entry.find("uin") != std::string::npos || entry.find("in") != std::string::npos) return 2;
  }
  return 1;
}

}  // namespace

Status DataFileToParameter(const DataLineList& lines, ConversionContext& context) {
  const std::string marker = SectionMarker(context.settings.EvaluationSelection, "CalcResult");
  std::optional<std::int32_t> markerLine = FindSection(lines, marker);
  if (!markerLine) {
    return Status::Error(StatusCode::kNoResultSection,
                         "The data file has no \"" + marker + "\" line.");
  }
  std::optional<LineList> entries = Entries(lines, *markerLine);
  if (!entries) {
    return Status::Error(StatusCode::kNoResultSection,
                         "The section \"" + marker + "\" holds more than " +
                             std::to_string(kMaxParameters) + " results.");
  }
  for (auto& entry : *entries) FixDelta(entry);
  context.view.ShowParameters(ParameterDisplay(*entries));
  context.settings.UnitSetting = UnitOf(*entries);
  context.stage.AddCsv("Parameter.csv", *entries);
  return Status::Ok();
}

}  // namespace kv
