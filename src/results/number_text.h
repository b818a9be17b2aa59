// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

// A value rounded to 15 significant digits, written with the fewest digits
// that give it back: "12", "0.5", "-3.25", "0.0001". Exponent form below 1E-04
// and from 1E+15 on: "1.5E-05", "1.23456789012346E+15". The decimal separator
// is always ".", whatever the locale, since the files are read elsewhere.
std::string GeneralNumberText(double value);

// The same digits without the 0 before the separator, and a space where a
// negative value has its "-": " 4", " .25", "-1.5".
std::string SignSpaceText(double value);

// The longest leading decimal number of a text: leading spaces skipped, an
// optional sign, digits with at most one decimal point. 0 when there is none.
double LeadingNumber(std::string_view text);

// The whole text as a finite number ("1.25", "-1.2E-05"); nullopt for
// anything else, a leading space included.
std::optional<double> WholeNumber(std::string_view text);

// Round to the nearest integer, halves to the even neighbour.
double RoundHalfEven(double value);

// Rounds to a multiple of 1/scale, halves away from zero:
// RoundHalfAway(0.125, 100) is 0.13.
double RoundHalfAway(double value, std::int16_t scale);

}  // namespace kv
