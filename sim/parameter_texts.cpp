// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/parameter_texts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace kvsim {
namespace {

enum class Quantity {
  Height,   // um or uin
  Number,   // no unit
  Spacing,  // mm or in
  Percent,
  Count,  // per cm or per inch
};

struct Entry {
  const char* name;  // after the profile letter
  double ProfileParameters::*value;
  Quantity quantity;
  int decimals;
  int inchDecimals;
  bool roughnessOnly;
};

// Greek letters in Shift JIS: capital delta 83 A2, small lambda 83 C9, small
// delta 83 C2; octal escapes, so that a following letter cannot join them.
using P = ProfileParameters;
constexpr Entry kEntries[] = {
    {"a", &P::a, Quantity::Height, 4, 2, false},
    {"q", &P::q, Quantity::Height, 4, 2, false},
    {"z", &P::z, Quantity::Height, 4, 2, false},
    {"p", &P::p, Quantity::Height, 4, 2, false},
    {"v", &P::v, Quantity::Height, 4, 2, false},
    {"t", &P::t, Quantity::Height, 4, 2, false},
    {"c", &P::c, Quantity::Height, 4, 2, false},
    {"max", &P::zMax, Quantity::Height, 4, 2, true},
    {"sk", &P::sk, Quantity::Number, 3, 3, false},
    {"ku", &P::ku, Quantity::Number, 3, 3, false},
    {"Sm", &P::sm, Quantity::Spacing, 4, 5, false},
    {"\203\242q", &P::deltaQ, Quantity::Number, 4, 4, false},
    {"\203\311q", &P::lambdaQ, Quantity::Height, 2, 1, true},
    {"mr", &P::mr, Quantity::Percent, 2, 2, false},
    {"\203\302c", &P::deltaC, Quantity::Height, 4, 2, false},
    {"Pc", &P::pc, Quantity::Count, 1, 1, true},
};

struct Shown {
  double factor;
  const char* unit;  // empty: no unit
};

Shown InUnit(Quantity quantity, bool inch) {
  switch (quantity) {
    case Quantity::Height:
      return inch ? Shown{1000 / 25.4, "uin"} : Shown{1, "um"};
    case Quantity::Spacing:
      return inch ? Shown{1 / 25.4, "in"} : Shown{1, "mm"};
    case Quantity::Percent:
      return {1, "%"};
    case Quantity::Count:
      return inch ? Shown{2.54, "/in"} : Shown{1, "/cm"};
    case Quantity::Number:
      break;
  }
  return {1, ""};
}

// Fixed decimals, whatever the process locale says; a value that rounds to
// zero shows no minus sign, and one too long for the field shows "*".
std::string Fixed(double value, int decimals) {
  if (std::abs(value) < 0.5 * std::pow(10.0, -decimals)) value = 0;
  char text[24];
  const auto [end, error] =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  return error == std::errc() ? std::string(text, end) : std::string("*");
}

}  // namespace

std::vector<std::string> ParameterTexts(const ProfileParameters& parameters, char letter,
                                        bool inch) {
  std::vector<std::string> texts;
  for (const Entry& entry : kEntries) {
    if (entry.roughnessOnly && letter != 'R') continue;
    const Shown shown = InUnit(entry.quantity, inch);
    std::string text =
        letter + std::string(entry.name) + ' ' +
        Fixed(parameters.*entry.value * shown.factor, inch ? entry.inchDecimals : entry.decimals);
    if (*shown.unit != '\0') text += ' ' + std::string(shown.unit);
    texts.push_back(std::move(text));
  }
  return texts;
}

void OffsetParameterText(std::vector<std::string>& texts, std::string_view name, double offset) {
  for (std::string& text : texts) {
    if (!text.starts_with(std::string(name) + ' ')) continue;
    const std::size_t start = name.size() + 1;
    const std::size_t end = std::min(text.find(' ', start), text.size());
    const std::string value = text.substr(start, end - start);
    double shown = 0;
    const auto [parsed, error] = std::from_chars(value.data(), value.data() + value.size(), shown);
    if (error != std::errc() || parsed != value.data() + value.size()) continue;  // "*"
    const std::size_t point = value.find('.');
    const int decimals =
        point == std::string::npos ? 0 : static_cast<int>(value.size() - point - 1);
    text.replace(start, end - start, Fixed(shown + offset, decimals));
  }
}

}  // namespace kvsim
