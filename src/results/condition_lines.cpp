// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/condition_lines.h"

#include <utility>

#include <cmath>

#include "results/number_text.h"

namespace kv {
namespace {

// A text by code from a table of metric and inch columns; "" outside it.
template <std::size_t N>
std::string Pick(const std::array<std::array<const char*, 2>, N>& table, std::uint8_t code,
                 bool inch) {
  return code < N ? table[code][inch ? 1 : 0] : "";
}

template <std::size_t N>
std::string Pick(const std::array<const char*, N>& table, std::uint8_t code) {
  return code < N ? table[code] : "";
}

constexpr std::array<std::array<const char*, 2>, 8> kSamplingLengths{{
    {"L   0.025mm", "L   0.001in"},
    {"L   0.08mm", "L   0.003in"},
    {"L   0.25mm", "L   0.01in"},
    {"L   0.8mm", "L   0.03in"},
    {"L   2.5mm", "L   0.1in"},
    {"L   8.0mm", "L   0.3in"},
    {"L   25.0mm", "L   1.0in"},
    {"L   80.0mm", "L   3.0in"},
}};
constexpr std::array<std::array<const char*, 2>, 8> kCutoffs{{
    {"CUT 0.025mm", "CUT 0.001in"},
    {"CUT 0.08mm", "CUT 0.003in"},
    {"CUT 0.25mm", "CUT 0.01in"},
    {"CUT 0.8mm", "CUT 0.03in"},
    {"CUT 2.5mm", "CUT 0.1in"},
    {"CUT 8.0mm", "CUT 0.3in"},
    {"CUT 25.0mm", "CUT 1.0in"},
    {"CUT 80.0mm", "CUT 3.0in"},
}};
constexpr std::array<std::array<const char*, 2>, 8> kLambdaF{{
    {"-0.08mm", "-0.003in"},
    {"-0.25mm", "-0.01in"},
    {"-0.8mm", "-0.03in"},
    {"-2.5mm", "-0.1in"},
    {"-8.0mm", "-0.3in"},
    {"-25.0mm", "-1.0in"},
    {"-80.0mm", "-3.0in"},
    {"-NONE", "-NONE"},
}};
// Motif codes 1 to 4 (code 0 is user value A).
constexpr std::array<std::array<const char*, 2>, 5> kMotifLimits{{
    {"", ""},
    {"0.02mm", "0.0008in"},
    {"0.10mm", "0.004in"},
    {"0.50mm", "0.02in"},
    {"2.50mm", "0.1in"},
}};
// B codes 1 to 4 (code 0 is user value B).
constexpr std::array<std::array<const char*, 2>, 5> kMotifB{{
    {"", ""},
    {"-0.10mm", "-0.004in"},
    {"-0.50mm", "-0.02in"},
    {"-2.50mm", "-0.1in"},
    {"-12.5mm", "-0.5in"},
}};
constexpr std::array<const char*, 6> kProfiles{"CUV P",  "CUV R",       "CUV W",
                                               "CUV DF", "CUV R-Motif", "CUV W-Motif"};
constexpr std::array<const char*, 5> kFilters{"FIL 2CR", "FIL PC75", "FIL GAUSS", "FIL RSP",
                                              "FIL NONE"};
constexpr std::array<const char*, 7> kStandards{"STD JIS 1982", "STD JIS 1994", "STD JIS 2001",
                                                "STD ISO 1997", "STD ANSI",     "STD VDA",
                                                "STD FREE"};
constexpr std::array<std::array<const char*, 2>, 8> kLambdaS{{
    {"LS  0.25um", "LS  10uin"},
    {"LS  0.8um", "LS  32uin"},
    {"LS  2.5um", "LS  100uin"},
    {"LS  8.0um", "LS  320uin"},
    {"LS  25um", "LS  1000uin"},
    {"LS  80um", "LS  3200uin"},
    {"LS  250um", "LS  10000uin"},
    {"LS  NONE", "LS  NONE"},
}};
constexpr std::array<std::array<const char*, 2>, 7> kPitches{{
    {"STP 0.05", "STP 2.0"},
    {"STP 0.10", "STP 4.0"},
    {"STP 0.50", "STP 20.0"},
    {"STP 1.00", "STP 40.0"},
    {"STP 5.00", "STP 200.0"},
    {"STP 10.0", "STP 400.0"},
    {"STP 50.0", "STP 2000.0"},
}};

enum Profile : std::uint8_t { kP, kR, kW, kDF, kRMotif, kWMotif };

// A user value: metric as received, inch with at most three decimals.
std::string ValueText(double millimetres, bool inch) {
  if (!inch) return GeneralNumberText(millimetres);
  return GeneralNumberText(RoundHalfEven(millimetres / 25.4 * 1000) / 1000);
}

// A length of line 1: metric to two decimals in sign-space form ("L  4mm").
std::string LengthLine(double millimetres, bool inch) {
  if (inch) return "L " + ValueText(millimetres, true) + "in";
  return "L " + SignSpaceText(RoundHalfAway(millimetres, 100)) + "mm";
}

std::string Unit(bool inch) {
  return inch ? "in" : "mm";
}

std::string MotifLimit(const ConditionCodes& c, bool inch, const char* prefix) {
  if (c.motif == 0) return prefix + ValueText(c.userValueA, inch) + Unit(inch);
  if (c.motif < kMotifLimits.size()) return prefix + Pick(kMotifLimits, c.motif, inch);
  return "";
}

std::string FirstLine(const ConditionCodes& c, bool inch) {
  switch (c.profile) {
    case kP:
      return Pick(kSamplingLengths, c.length, inch);
    case kR:
    case kDF:  // a filtered roughness profile: its cut-off, as for R
      return CutoffText(c.length, inch);
    case kW:
      return CutoffText(c.waveCutoff, inch) + Pick(kLambdaF, c.lambdaF, inch);
    case kRMotif:
      return MotifLimit(c, inch, "A   ");
    case kWMotif: {
      std::string line = MotifLimit(c, inch, "AB  ");
      if (c.motifB == 0) return line + "-" + ValueText(c.userValueB, inch) + Unit(inch);
      return line + Pick(kMotifB, c.motifB, inch);
    }
    default:
      return "";
  }
}

}  // namespace

std::string CutoffText(std::uint8_t code, bool inch) {
  return Pick(kCutoffs, code, inch);
}

ConditionLineArray ConditionLines(const ConditionCodes& c, bool inch, std::int16_t languageIndex) {
  ConditionLineArray lines;
  lines[2] = Pick(kProfiles, c.profile);
  lines[0] = FirstLine(c, inch);
  if (c.profile == kRMotif || c.profile == kWMotif) {
    if (c.motif < c.motifLengths.size()) lines[1] = LengthLine(c.motifLengths[c.motif], inch);
  } else if (c.samplingCount != 0) {
    lines[1] = "N " + std::to_string(c.samplingCount);
  } else {
    lines[1] = LengthLine(c.evaluationLength, inch);
    if (c.profile == kP) lines[0] = "CUT ***";
  }
  lines[3] = Pick(kFilters, c.filter);
  lines[4] = Pick(kStandards, c.standard);
  lines[5] = Pick(kLambdaS, c.lambdaS, inch);
  lines[6] = Pick(kPitches, c.pitch, inch);
  lines[7] = inch ? "UNT 2" : "UNT 1";
  lines[8] = !inch && languageIndex == 0 ? "LNG J" : "LNG E";
  return lines;
}

double PitchMicrometres(double number, bool inch) {
  static constexpr std::pair<double, double> kInchNamesMetric[] = {
      {2, 0.05}, {4, 0.1}, {20, 0.5}, {40, 1}, {200, 5}, {400, 10}, {2000, 50}};
  if (!inch) return number;
  for (auto [named, micrometres] : kInchNamesMetric) {
    if (number == named) return micrometres;
  }
  return number * 0.0254;
}

}  // namespace kv
