// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/measuring_conditions.h"

#include <array>
#include <cmath>
#include <optional>
#include <string_view>

#include "results/condition_lines.h"
#include "results/number_text.h"

namespace kv {
namespace {

constexpr double kMicrometresPerMillimetre = 1000;

// The texts the controller writes for each code, with the value each stands
// for in micrometres. Inch texts are rounded (0.03in is the 0.8 mm cut-off),
// so they are looked up rather than converted.
struct CodedValue {
  std::string_view metric;
  std::string_view inch;
  double micrometres;
};

constexpr std::array<CodedValue, 8> kCutoffs{{{"0.025mm", "0.001in", 25},
                                              {"0.08mm", "0.003in", 80},
                                              {"0.25mm", "0.01in", 250},
                                              {"0.8mm", "0.03in", 800},
                                              {"2.5mm", "0.1in", 2500},
                                              {"8.0mm", "0.3in", 8000},
                                              {"25.0mm", "1.0in", 25000},
                                              {"80.0mm", "3.0in", 80000}}};

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

// A metric text is read as a number with its unit; an inch one must be a
// text of the table.
template <std::size_t N>
std::optional<double> CodedMicrometres(std::string_view text,
                                       const std::array<CodedValue, N>& table, bool inch,
                                       std::string_view metricUnit) {
  for (const CodedValue& entry : table) {
    if (text == (inch ? entry.inch : entry.metric)) return entry.micrometres;
  }
  if (inch || !text.ends_with(metricUnit)) return std::nullopt;
  return WholeNumber(text.substr(0, text.size() - metricUnit.size()));
}

// The value of the line that starts with `prefix`, trimmed; none without one.
std::optional<std::string_view> Value(const std::vector<std::string>& lines,
                                      std::string_view prefix) {
  for (const std::string& line : lines) {
    if (std::string_view(line).starts_with(prefix)) {
      return Trimmed(std::string_view(line).substr(prefix.size()));
    }
  }
  return std::nullopt;
}

Status Refused(const std::string& why) {
  return Status::Error(StatusCode::kBadFile, "The parameters cannot be checked: " + why);
}

// The number of sampling lengths: "N 5", or an evaluation length "L  4mm"
// that holds whole cut-offs.
std::optional<int> SamplingLengths(std::string_view text, double cutoff, bool inch) {
  if (text.starts_with("N ")) {
    const auto count = WholeNumber(Trimmed(text.substr(2)));
    if (!count || *count < 1 || *count != std::floor(*count)) return std::nullopt;
    return static_cast<int>(*count);
  }
  if (!text.starts_with("L ")) return std::nullopt;
  std::string_view length = Trimmed(text.substr(2));
  const std::string_view unit = inch ? "in" : "mm";
  if (!length.ends_with(unit)) return std::nullopt;
  length.remove_suffix(unit.size());
  // The metric text drops the 0 before the point: " .25mm".
  const std::string digits =
      length.starts_with('.') ? "0" + std::string(length) : std::string(length);
  const auto value = WholeNumber(digits);
  if (!value) return std::nullopt;
  const double micrometres = *value * (inch ? 25400 : kMicrometresPerMillimetre);
  const double count = std::round(micrometres / cutoff);
  if (count < 1 || std::abs(count * cutoff - micrometres) > 0.01 * cutoff) return std::nullopt;
  return static_cast<int>(count);
}

}  // namespace

Result<MeasuringConditions> ParseConditions(const std::vector<std::string>& lines) {
  const bool inch = Value(lines, "UNT ") == "2";
  if (Value(lines, "CUV ") != "R") return Refused("only the roughness profile (R) is checked.");
  if (Value(lines, "FIL ") != "GAUSS") return Refused("only the Gaussian filter is checked.");
  MeasuringConditions conditions;
  const auto cutoff = Value(lines, "CUT ");
  const auto cutoffValue = cutoff ? CodedMicrometres(*cutoff, kCutoffs, inch, "mm") : std::nullopt;
  if (!cutoffValue || *cutoffValue <= 0) return Refused("the cut-off is not known.");
  conditions.cutoff = *cutoffValue;
  std::optional<int> count;
  for (const std::string& line : lines) {
    if (line.starts_with("N ") || line.starts_with("L ")) {
      count = SamplingLengths(line, conditions.cutoff, inch);
    }
  }
  if (!count) return Refused("the number of sampling lengths is not known.");
  conditions.samplingLengths = *count;
  const auto pitch = Value(lines, "STP ");
  const auto pitchNumber = pitch ? WholeNumber(*pitch) : std::nullopt;
  if (!pitchNumber || *pitchNumber <= 0) return Refused("the sampling pitch is not known.");
  conditions.pitch = PitchMicrometres(*pitchNumber, inch);
  return conditions;
}

}  // namespace kv
