// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/version_number.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace kv {

double LeadingNumber(std::string_view text) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string_view::npos) return 0;
  std::string number;
  if (text[i] == '+' || text[i] == '-') number += text[i++];
  bool point = false;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c >= '0' && c <= '9') {
      number += c;
    } else if (c == '.' && !point) {
      point = true;
      number += c;
    } else {
      break;
    }
  }
  return std::strtod(number.c_str(), nullptr);  // "", "-" and "." give 0
}

double RoundHalfEven(double value) {
  double down = std::floor(value);
  double fraction = value - down;
  if (fraction > 0.5) return down + 1;
  if (fraction < 0.5) return down;
  return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

std::int32_t VersionNumberFromText(std::string_view versionText) {
  std::string_view digits = versionText.size() > 4 ? versionText.substr(4, 5) : std::string_view{};
  return static_cast<std::int32_t>(RoundHalfEven(LeadingNumber(digits) * 1000));
}

std::optional<std::int16_t> LeadingInt16(std::string_view text) {
  double value = RoundHalfEven(LeadingNumber(text));
  if (value < -32768 || value > 32767) return std::nullopt;
  return static_cast<std::int16_t>(value);
}

}  // namespace kv
