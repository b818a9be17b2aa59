// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/csv_file.h"

#include <algorithm>

namespace kv {

void CommaToPoint(LineList& lines, std::string_view search, std::string_view replacement) {
  for (auto& line : lines) {
    auto at = line.find(search);
    if (at != std::string::npos) line.replace(at, search.size(), replacement);
  }
}

std::string CsvBytes(LineList& lines) {
  CommaToPoint(lines, ",", ".");
  auto end =
      std::find_if(lines.begin(), lines.end(), [](const auto& line) { return line.empty(); });
  std::string bytes;
  std::size_t size = 0;
  for (auto line = lines.begin(); line != end; ++line) size += line->size() + 2;
  bytes.reserve(size);
  for (auto line = lines.begin(); line != end; ++line) {
    bytes += *line;
    bytes += "\r\n";
  }
  return bytes;
}

}  // namespace kv
