// SPDX-License-Identifier: GPL-3.0-or-later
#include "datafile/data_sections.h"

#include <algorithm>

namespace kv {

bool IsDataFileFirstLine(std::string_view firstLine) {
  return firstLine.starts_with("// Ver.") || firstLine.starts_with("// Header");
}

std::string SectionMarker(std::int16_t evaluationSelection, std::string_view section) {
  return (evaluationSelection == 1 ? "// B " : "// A ") + std::string(section);
}

std::optional<std::int32_t> FindSection(const DataLineList& lines, std::string_view marker) {
  for (std::int32_t i = 0;; ++i) {
    std::optional<std::string_view> line = LineAt(lines, i);
    if (!line) return std::nullopt;
    if (line->find(marker) != std::string_view::npos) return i;
  }
}

std::optional<std::string_view> LineAt(const DataLineList& lines, std::int64_t index) {
  const std::int64_t last = std::min<std::int64_t>(
      lines.LineCount, static_cast<std::int64_t>(lines.DataLines.size()) - 1);
  if (index < 0 || index > last) return std::nullopt;
  return lines.DataLines[static_cast<std::size_t>(index)];
}

}  // namespace kv
