// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace kv {
namespace {

constexpr int kSignificantDigits = 15;

// The 15 significant digits of a finite, non-zero magnitude without trailing
// zeros, and its decimal exponent after rounding.
struct Digits {
  char digits[kSignificantDigits];
  int count;
  int exponent;
};

Digits SignificantDigits(double magnitude) {
  char text[32];  // d.dddddddddddddde+ddd
  auto end = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific,
                           kSignificantDigits - 1)
                 .ptr;
  Digits d{};
  d.digits[0] = text[0];
  for (int i = 1; i < kSignificantDigits; ++i) d.digits[i] = text[i + 1];
  d.count = kSignificantDigits;
  while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
  const char* e = text + kSignificantDigits + 2;  // after "d." and 14 digits and "e"
  std::from_chars(*e == '+' ? e + 1 : e, end, d.exponent);
  return d;
}

std::string Exponential(const Digits& d) {
  std::string text(1, d.digits[0]);
  if (d.count > 1) {
    text += '.';
    text.append(d.digits + 1, static_cast<std::size_t>(d.count - 1));
  }
  text += d.exponent < 0 ? "E-" : "E+";
  int magnitude = std::abs(d.exponent);
  if (magnitude < 10) text += '0';
  text += std::to_string(magnitude);
  return text;
}

std::string Positional(const Digits& d, bool leadingZero) {
  std::string text;
  if (d.exponent < 0) {
    if (leadingZero) text += '0';
    text += '.';
    text.append(static_cast<std::size_t>(-d.exponent - 1), '0');
    text.append(d.digits, static_cast<std::size_t>(d.count));
    return text;
  }
  int integerDigits = d.exponent + 1;
  for (int i = 0; i < integerDigits; ++i) text += i < d.count ? d.digits[i] : '0';
  if (d.count > integerDigits) {
    text += '.';
    text.append(d.digits + integerDigits, static_cast<std::size_t>(d.count - integerDigits));
  }
  return text;
}

std::string Magnitude(double magnitude, bool leadingZero) {
  if (magnitude == 0) return "0";
  if (!std::isfinite(magnitude)) return std::isnan(magnitude) ? "NaN" : "Infinity";
  Digits d = SignificantDigits(magnitude);
  if (d.exponent < -4 || d.exponent >= kSignificantDigits) return Exponential(d);
  return Positional(d, leadingZero);
}

}  // namespace

std::string GeneralNumberText(double value) {
  std::string text = Magnitude(std::fabs(value), true);
  return std::signbit(value) && text != "0" ? "-" + text : text;
}

std::string SignSpaceText(double value) {
  std::string text = Magnitude(std::fabs(value), false);
  return (std::signbit(value) && text != "0" ? "-" : " ") + text;
}

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

double RoundHalfAway(double value, std::int16_t scale) {
  double t = scale * value;
  double s = t > 0 ? 1 : (t < 0 ? -1 : 0);
  return std::trunc(t + 0.5 * s) / scale;
}

std::optional<double> WholeNumber(std::string_view text) {
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

}  // namespace kv
