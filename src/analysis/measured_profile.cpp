// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/measured_profile.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace kv {

Result<std::vector<double>> ParseMeasuredProfile(std::string_view bytes) {
  std::vector<double> values;
  values.reserve(bytes.size() / 16);
  const char* next = bytes.data();
  const char* const end = bytes.data() + bytes.size();
  while (next != end) {
    const char* lineEnd = std::find_if(next, end, [](char c) { return c == '\r' || c == '\n'; });
    double value = 0;
    const auto [parsed, error] = std::from_chars(next, lineEnd, value);
    if (next == lineEnd || error != std::errc() || parsed != lineEnd) {
      return Status::Error(
          StatusCode::kBadFile,
          "\"Measured.csv\" holds a line that is not a number: " + std::string(next, lineEnd));
    }
    values.push_back(value);
    next = lineEnd;
    if (next != end && *next == '\r') ++next;
    if (next != end && *next == '\n') ++next;
  }
  return values;
}

}  // namespace kv
