// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kv {

// The longest leading decimal number of a text: leading spaces skipped, an
// optional sign, digits with at most one decimal point. 0 when there is none.
double LeadingNumber(std::string_view text);

// Round to the nearest integer, halves to the even neighbour.
double RoundHalfEven(double value);

// Controller version x 1000 from characters 5 to 9 of a version text
// ("Ver 1.102" gives 1102).
std::int32_t VersionNumberFromText(std::string_view versionText);

// The leading number of a text as a 16-bit integer (halves to even); none
// when it does not fit.
std::optional<std::int16_t> LeadingInt16(std::string_view text);

}  // namespace kv
