// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "datafile/data_lines.h"

namespace kv {

// A data file on the PC is taken only if its first line begins with
// "// Ver." or "// Header".
bool IsDataFileFirstLine(std::string_view firstLine);

// The marker of a section of the selected evaluation set: "// B " + `section`
// when set B (1) is selected, else "// A " + `section`.
std::string SectionMarker(std::int16_t evaluationSelection, std::string_view section);

// The index of the first line that holds `marker` anywhere; none when no
// line from 0 to LineCount does.
std::optional<std::int32_t> FindSection(const DataLineList& lines, std::string_view marker);

// Line `index`; none when it lies beyond LineCount.
std::optional<std::string_view> LineAt(const DataLineList& lines, std::int64_t index);

}  // namespace kv
