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

class ConditionKeys {
 public:
  ConditionKeys(const DataLineList& lines, std::int32_t marker) : lines_(lines), marker_(marker) {}

  // Everything after `key` to the end of the first line within reach that
  // holds it, each ";" left out; with `stopAtNone`, a line holding "NONE"
  // ends at the ";" after the key. None when no line holds the key.
  std::optional<std::string> Read(std::string_view key, bool stopAtNone = false) const {
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

 private:
  const DataLineList& lines_;
  std::int32_t marker_;
};

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Line 0 by profile: cut-off, sampling length or motif limits. Empty for a
// profile it does not know; none when a key it needs is missing.
std::optional<std::string> CutoffLine(const ConditionKeys& keys, const std::string& profile) {
  const std::string trimmed = Trimmed(profile);
  if (profile == "R" || profile == "W" || profile == "DF") {
    std::optional<std::string> cutoff = keys.Read("Lc;");
    if (!cutoff) return std::nullopt;
    if (trimmed != "W") return "CUT " + *cutoff;
    std::optional<std::string> lambdaF = keys.Read("Lf;");
    if (!lambdaF) return std::nullopt;
    if (lambdaF->find("NONE") != std::string::npos) lambdaF->resize(4);
    return "CUT " + *cutoff + "-" + *lambdaF;
  }
  if (profile == "P") {
    std::optional<std::string> length = keys.Read("L;");
    if (!length) return std::nullopt;
    return "CUT " + *length;
  }
  if (trimmed == "R-Motif" || trimmed == "W-Motif") {
    std::optional<std::string> a = keys.Read("A;");
    if (!a) return std::nullopt;
    if (trimmed == "R-Motif") return "A   " + *a;
    std::optional<std::string> b = keys.Read("B;");
    if (!b) return std::nullopt;
    return "AB  " + *a + "-" + *b;
  }
  return std::string();
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

std::optional<ConditionLineArray> ConditionLinesOf(const ConditionKeys& keys,
                                                   const ProcessSettings& settings, double pitch) {
  ConditionLineArray c;
  std::optional<std::string> profile = keys.Read("Profile;");
  if (!profile) return std::nullopt;
  c[2] = "CUV " + *profile;
  std::optional<std::string> cutoff = CutoffLine(keys, *profile);
  if (!cutoff) return std::nullopt;
  c[0] = *cutoff;
  if (std::optional<std::string> count = keys.Read("N;")) {
    c[1] = "N " + *count;
  } else {
    std::optional<std::string> length = keys.Read("L;");
    if (!length) return std::nullopt;
    c[1] = "L " + *length;
    if (*profile == "P") c[0] = "CUT ***";
  }
  std::optional<std::string> filter = keys.Read("Filter;");
  std::optional<std::string> standard = keys.Read("Standard;");
  std::optional<std::string> lambdaS = keys.Read("Ls;", true);
  if (!filter || !standard || !lambdaS) return std::nullopt;
  c[3] = "FIL " + *filter;
  c[4] = "STD " + *standard;
  c[5] = "LS " + *lambdaS;
  c[6] = PitchLine(pitch, settings.UnitSetting);
  c[7] = settings.UnitSetting == 1 ? "UNT 1" : "UNT 2";
  c[8] = settings.LanguageIndex == 0 ? "LNG J" : "LNG E";
  return c;
}

}  // namespace

int DataFileToCondition(const DataLineList& lines, ConversionContext& context, double pitch) {
  std::optional<std::int32_t> marker =
      FindSection(lines, SectionMarker(context.settings.EvaluationSelection, "Condition"));
  if (!marker) return 0;
  std::optional<ConditionLineArray> conditions =
      ConditionLinesOf(ConditionKeys(lines, *marker), context.settings, pitch);
  // An unknown profile leaves line 0 empty, which would end the file there.
  if (!conditions || (*conditions)[0].empty()) return 0;
  ShowConditionLines(context.view, *conditions);
  LineList file(conditions->begin(), conditions->end());
  context.stage.AddCsv("Condition.csv", file);
  return 1;
}

}  // namespace kv
