// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace kvsim {

// A line as typed or read from a file, without its surrounding blanks and CR.
inline std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace kvsim
