// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/data_file_writer.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <utility>

namespace kvsim {
namespace {

enum Profile : std::uint8_t { kP, kR, kW, kDF, kRMotif, kWMotif };

// Texts by code, metric and inch; a code outside its table gives "".
using Texts = std::array<const char*, 2>;
constexpr std::array<Texts, 8> kLengths{{{"0.025", "0.001"},
                                         {"0.08", "0.003"},
                                         {"0.25", "0.01"},
                                         {"0.8", "0.03"},
                                         {"2.5", "0.1"},
                                         {"8.0", "0.3"},
                                         {"25.0", "1.0"},
                                         {"80.0", "3.0"}}};
constexpr std::array<Texts, 8> kLambdaS{{{"0.25", "10"},
                                         {"0.8", "32"},
                                         {"2.5", "100"},
                                         {"8.0", "320"},
                                         {"25", "1000"},
                                         {"80", "3200"},
                                         {"250", "10000"},
                                         {"NONE", "NONE"}}};
// Motif limits by code 1-4 (code 0 is the user value).
constexpr std::array<Texts, 5> kMotifA{
    {{"", ""}, {"0.02", "0.0008"}, {"0.10", "0.004"}, {"0.50", "0.02"}, {"2.50", "0.1"}}};
constexpr std::array<Texts, 5> kMotifB{
    {{"", ""}, {"0.10", "0.004"}, {"0.50", "0.02"}, {"2.50", "0.1"}, {"12.5", "0.5"}}};
constexpr std::array<const char*, 6> kProfiles{"P", "R", "W", "DF", "R-Motif", "W-Motif"};
constexpr std::array<const char*, 5> kFilters{"2CR", "PC75", "GAUSS", "RSP", "NONE"};
constexpr std::array<const char*, 7> kStandards{"JIS 1982", "JIS 1994", "JIS 2001", "ISO 1997",
                                                "ANSI",     "VDA",      "FREE"};
constexpr std::uint8_t kNoLambdaF = 7;

template <std::size_t N>
std::string Pick(const std::array<const char*, N>& table, std::uint8_t code) {
  return code < N ? table[code] : "";
}

template <std::size_t N>
std::string Pick(const std::array<Texts, N>& table, std::uint8_t code, bool inch) {
  return code < N ? table[code][inch ? 1 : 0] : "";
}

// Fixed decimals, or with `trim` as few as the value needs ("4", "0.72").
std::string Decimal(double value, int decimals, bool trim) {
  char text[512];  // every finite double fits with a few decimals
  auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
  std::string result(text, end);
  if (trim && result.find('.') != std::string::npos) {
    result.erase(result.find_last_not_of('0') + 1);
    if (result.back() == '.') result.pop_back();
  }
  return result;
}

// The shortest fixed text that reads back as exactly `value`; 512 bytes
// hold every finite double in this form.
std::string Exact(double value) {
  char text[512];
  return {text, std::to_chars(text, text + sizeof text, value, std::chars_format::fixed).ptr};
}

class Writer {
 public:
  explicit Writer(const DataFileLayout& layout) : layout_(layout) {}

  void Line(const std::string& text) { bytes_ += text + (layout_.crLf ? "\r\n" : "\n"); }
  void Key(const std::string& key, const std::string& value, const std::string& unit = "") {
    Line(key + ";" + value + ";" + (unit.empty() ? "" : unit + ";"));
  }
  std::string Unit() const { return layout_.inch ? "in" : "mm"; }
  // A length in millimetres as the controller shows it: mm, or in with three decimals.
  std::string Length(double millimetres) const {
    return layout_.inch ? Decimal(millimetres / 25.4, 3, true) : Decimal(millimetres, 3, true);
  }
  void LengthKey(const std::string& key, const std::string& value) {
    if (value == "NONE") return Key(key, value);
    Key(key, value, Unit());
  }

  void WriteConditions(char set, const Conditions& c);
  void WriteResults(char set, const std::vector<std::string>& texts);
  void WritePoints(char set, const std::vector<double>& values, double pitch);

  std::string Take() { return std::move(bytes_); }

 private:
  const DataFileLayout& layout_;
  std::string bytes_;
};

void Writer::WriteConditions(char set, const Conditions& c) {
  const bool inch = layout_.inch;
  Line(std::string("// ") + set + " Condition");
  Key("Profile", Pick(kProfiles, c.profile));
  const bool motif = c.profile == kRMotif || c.profile == kWMotif;
  if (c.profile == kR || c.profile == kDF) LengthKey("Lc", Pick(kLengths, c.length, inch));
  if (c.profile == kW) {
    LengthKey("Lc", Pick(kLengths, c.waveCutoff, inch));
    LengthKey("Lf", c.lambdaF == kNoLambdaF ? "NONE" : Pick(kLengths, c.lambdaF, inch));
  }
  if (c.profile == kP && c.samplingCount != 0) LengthKey("L", Pick(kLengths, c.length, inch));
  if (motif) {
    LengthKey("A", c.motif == 0 ? Length(c.userValueA) : Pick(kMotifA, c.motif, inch));
  }
  if (c.profile == kWMotif) {
    LengthKey("B", c.motifB == 0 ? Length(c.userValueB) : Pick(kMotifB, c.motifB, inch));
  }
  if (motif) {
    if (c.motif < c.motifLengths.size()) LengthKey("L", Length(c.motifLengths[c.motif]));
  } else if (c.samplingCount != 0) {
    Key("N", std::to_string(c.samplingCount));
  } else {
    LengthKey("L", Length(c.evaluationLength));
  }
  Key("Filter", Pick(kFilters, c.filter));
  Key("Standard", Pick(kStandards, c.standard));
  const std::string lambdaS = Pick(kLambdaS, c.lambdaS, inch);
  if (lambdaS == "NONE") {
    Key("Ls", lambdaS);
  } else {
    Key("Ls", lambdaS, inch ? "uin" : "um");
  }
}

// "Ra 0.8234 um" becomes "Ra;0.8234;<micro sign>m;". The controller's Greek
// letters become Latin ones: capital and small delta "d", small lambda "L".
void Writer::WriteResults(char set, const std::vector<std::string>& texts) {
  Line(std::string("// ") + set + " CalcResult");
  for (const std::string& text : texts) {
    std::string line;
    int spaces = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const auto c = static_cast<std::uint8_t>(text[i]);
      if (c == 0x83 && i + 1 < text.size()) {
        line += static_cast<std::uint8_t>(text[++i]) == 0xC9 ? 'L' : 'd';
      } else if (c == ' ') {
        line += ';';
        ++spaces;
      } else {
        line += text[i];
      }
    }
    line += spaces == 2 ? ";" : ";;";
    const std::size_t micro = line.find(";um;");
    if (micro != std::string::npos) line.replace(micro + 1, 1, "\xB5");
    Line(line);
  }
}

void Writer::WritePoints(char set, const std::vector<double>& values, double pitch) {
  Line(std::string("// ") + set + " CalcData");
  Line(std::to_string(values.size()));
  Line("X(um);Y(um);");
  for (std::size_t i = 0; i < values.size(); ++i) {
    Line(Decimal(static_cast<double>(i) * pitch * 1000, 3, false) + ";" + Exact(values[i]) + ";");
  }
}

}  // namespace

std::string DataFileBytes(const Measurement& measurement, const DataFileLayout& layout) {
  Writer writer(layout);
  writer.Line("// Ver.1.103 KV-730");
  for (std::size_t i = 0; i < measurement.sets.size(); ++i) {
    const char set = i == 0 ? 'A' : 'B';
    const EvaluationSet& evaluation = measurement.sets[i];
    writer.WriteConditions(set, evaluation.conditions);
    writer.WriteResults(set, evaluation.parameterTexts);
    writer.WritePoints(set, evaluation.evaluation, measurement.pitch);
  }
  return writer.Take();
}

}  // namespace kvsim
