// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/version_number.h"

#include "results/number_text.h"

namespace kv {

std::int32_t VersionNumberFromText(std::string_view versionText) {
  std::string_view digits = versionText.size() > 4 ? versionText.substr(4, 5) : std::string_view{};
  return static_cast<std::int32_t>(RoundHalfEven(LeadingNumber(digits) * 1000));
}

std::optional<std::int16_t> LeadingInt16(std::string_view text) {
  double value = RoundHalfEven(LeadingNumber(text));
  if (value < -32768 || value > 32767) return std::nullopt;
  return static_cast<std::int16_t>(value);
}

}  // namespace kv
