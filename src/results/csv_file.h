// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace kv {

// A result file as its lines, in order. The first empty entry ends the file:
// nothing from there on is written.
using LineList = std::vector<std::string>;

// Line capacities: the measured profile, and every other result file.
inline constexpr std::size_t kProfileLines = 50001;
inline constexpr std::size_t kResultLines = 76001;

// In every entry, the first `search` becomes `replacement`; later ones stay.
void CommaToPoint(LineList& lines, std::string_view search, std::string_view replacement);

// The bytes of a result file: `lines` after CommaToPoint(",", "."), each
// ended by CR LF, up to the first empty entry.
std::string CsvBytes(LineList& lines);

}  // namespace kv
