// SPDX-License-Identifier: GPL-3.0-or-later
#include "datafile/condition_conversion.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>
#include <utility>

#include "datafile/data_sections.h"
#include "results/conditions_reader.h"
#include "results/number_text.h"

namespace kv {
namespace {

constexpr int kKeyLines = 21;  // the marker line and the 20 after it

// Inch pitch lines: the first whose limit (micrometres) the pitch does not exceed.
constexpr std::array<std::pair<double, const char*>, 7> kInchPitches{{
    {0.05, "STP 2.0"},
    {0.1, "STP 4.0"},
    {0.5, "STP 20.0"},
    {1, "STP 40.0"},
    {5, "STP 200.0"},
    {10, "STP 400.0"},
    {50, "STP 2000.0"},
}};

// Where the value of `key` starts in `line`. A key counts only as a whole
// field: at the line's start or right after a ";", spaces before it allowed,
// so "Standard;VDA;" holds no "A;".
std::optional<std::size_t> ValueStart(std::string_view line, std::string_view key) {
  for (std::size_t at = line.find(key); at != std::string_view::npos; at = line.find(key, at + 1)) {
    const std::size_t before =
        at == 0 ? std::string_view::npos : line.find_last_not_of(' ', at - 1);
    if (before == std::string_view::npos || line[before] == ';') return at + key.size();
  }
  return std::nullopt;
}

Status NotConverted(std::string text) {
  return Status::Error(StatusCode::kConditionsNotConverted, std::move(text));
}

class ConditionKeys {
 public:
  ConditionKeys(const DataLineList& lines, std::int32_t marker) : lines_(lines), marker_(marker) {}

  // Everything after `key` to the end of the first line within reach that
  // holds it, each ";" left out; with `stopAtNone`, a line holding "NONE"
  // ends at the ";" after the key. None when no line holds the key.
  std::optional<std::string> Find(std::string_view key, bool stopAtNone = false) const {
    for (int i = 0; i < kKeyLines; ++i) {
      std::optional<std::string_view> line = LineAt(lines_, std::int64_t{marker_} + i);
      if (!line) return std::nullopt;
      std::optional<std::size_t> start = ValueStart(*line, key);
      if (!start) continue;
      std::string_view rest = line->substr(*start);
      const bool none = stopAtNone && line->find("NONE") != std::string_view::npos;
      if (none) rest = rest.substr(0, rest.find(';'));
      std::string value;
      std::copy_if(rest.begin(), rest.end(), std::back_inserter(value),
                   [](char c) { return c != ';'; });
      return value;
    }
    return std::nullopt;
  }

  // The same for a key the conversion cannot do without.
  Result<std::string> Read(std::string_view key, bool stopAtNone = false) const {
    if (std::optional<std::string> value = Find(key, stopAtNone)) return std::move(*value);
    return NotConverted("The condition section holds no \"" + std::string(key) +
                        "\" in its first " + std::to_string(kKeyLines) + " lines.");
  }

 private:
  const DataLineList& lines_;
  std::int32_t marker_;
};

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Line 0 of R, W and DF: the cut-off; for W with lambda-f, NONE without its unit.
Result<std::string> RoughnessCutoffLine(const ConditionKeys& keys, bool waviness) {
  Result<std::string> cutoff = keys.Read("Lc;");
  if (!cutoff.ok()) return cutoff;
  if (!waviness) return "CUT " + cutoff.value();
  Result<std::string> lambdaF = keys.Read("Lf;");
  if (!lambdaF.ok()) return lambdaF;
  if (lambdaF.value().find("NONE") != std::string::npos) lambdaF.value().resize(4);
  return "CUT " + cutoff.value() + "-" + lambdaF.value();
}

// Line 0 of the motif profiles: limit A; for W-Motif with limit B.
Result<std::string> MotifLine(const ConditionKeys& keys, bool waviness) {
  Result<std::string> a = keys.Read("A;");
  if (!a.ok()) return a;
  if (!waviness) return "A   " + a.value();
  Result<std::string> b = keys.Read("B;");
  if (!b.ok()) return b;
  return "AB  " + a.value() + "-" + b.value();
}

// Line 0 by profile: cut-off, sampling length or motif limits; an error for
// a profile it does not know, which would leave it empty and so end the file
// there.
Result<std::string> CutoffLine(const ConditionKeys& keys, const std::string& profile) {
  const std::string trimmed = Trimmed(profile);
  if (profile == "R" || profile == "W" || profile == "DF") {
    return RoughnessCutoffLine(keys, trimmed == "W");
  }
  if (profile == "P") {
    Result<std::string> length = keys.Read("L;");
    if (!length.ok()) return length;
    return "CUT " + length.value();
  }
  if (trimmed == "R-Motif" || trimmed == "W-Motif") return MotifLine(keys, trimmed == "W-Motif");
  return NotConverted("The profile \"" + profile + "\" is not known.");
}

// Line 6: metric the pitch as a number, inch by the table; an inch pitch
// beyond it in microinches.
std::string PitchLine(double pitch, std::int16_t unitSetting) {
  if (unitSetting == 1) return "STP " + GeneralNumberText(pitch);
  for (const auto& [limit, line] : kInchPitches) {
    if (pitch <= limit) return line;
  }
  return "STP " + GeneralNumberText(pitch / 25.4 * 1000);
}

// Line 1: the count of sampling lengths, else the evaluation length (which
// makes the P profile's line 0 "CUT ***").
Status CountOrLengthLine(const ConditionKeys& keys, ConditionLineArray& c,
                         const std::string& profile) {
  if (std::optional<std::string> count = keys.Find("N;")) {
    c[1] = "N " + *count;
    return Status::Ok();
  }
  Result<std::string> length = keys.Read("L;");
  if (!length.ok()) return length.status();
  c[1] = "L " + length.value();
  if (profile == "P") c[0] = "CUT ***";
  return Status::Ok();
}

// Lines 3 to 5: filter, standard and lambda-s, each its key's value.
Status FilterLines(const ConditionKeys& keys, ConditionLineArray& c) {
  const struct {
    std::size_t line;
    const char* prefix;
    const char* key;
    bool stopAtNone;
  } fields[] = {
      {3, "FIL ", "Filter;", false}, {4, "STD ", "Standard;", false}, {5, "LS ", "Ls;", true}};
  for (const auto& field : fields) {
    Result<std::string> value = keys.Read(field.key, field.stopAtNone);
    if (!value.ok()) return value.status();
    c[field.line] = field.prefix + value.value();
  }
  return Status::Ok();
}

Result<ConditionLineArray> ConditionLinesOf(const ConditionKeys& keys,
                                            const ProcessSettings& settings, double pitch) {
  ConditionLineArray c;
  Result<std::string> profile = keys.Read("Profile;");
  if (!profile.ok()) return profile.status();
  c[2] = "CUV " + profile.value();
  Result<std::string> cutoff = CutoffLine(keys, profile.value());
  if (!cutoff.ok()) return cutoff.status();
  c[0] = cutoff.value();
  if (Status status = CountOrLengthLine(keys, c, profile.value()); !status.ok()) return status;
  if (Status status = FilterLines(keys, c); !status.ok()) return status;
  c[6] = PitchLine(pitch, settings.UnitSetting);
  c[7] = settings.UnitSetting == 1 ? "UNT 1" : "UNT 2";
  c[8] = settings.LanguageIndex == 0 ? "LNG J" : "LNG E";
  return c;
}

}  // namespace

Status DataFileToCondition(const DataLineList& lines, ConversionContext& context, double pitch) {
  const std::string marker = SectionMarker(context.settings.EvaluationSelection, "Condition");
  std::optional<std::int32_t> markerLine = FindSection(lines, marker);
  if (!markerLine) return NotConverted("The data file has no \"" + marker + "\" line.");
  Result<ConditionLineArray> conditions =
      ConditionLinesOf(ConditionKeys(lines, *markerLine), context.settings, pitch);
  if (!conditions.ok()) return conditions.status();
  ShowConditionLines(context.view, conditions.value());
  LineList file(conditions.value().begin(), conditions.value().end());
  context.stage.AddCsv("Condition.csv", file);
  return Status::Ok();
}

}  // namespace kv
