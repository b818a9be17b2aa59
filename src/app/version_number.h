// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kv {

// Controller version x 1000 from characters 5 to 9 of a version text
// ("Ver 1.102" gives 1102).
std::int32_t VersionNumberFromText(std::string_view versionText);

// The leading number of a text as a 16-bit integer (halves to even); none
// when it does not fit.
std::optional<std::int16_t> LeadingInt16(std::string_view text);

}  // namespace kv
