// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/version_number.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(VersionNumberTest, ThousandTimesCharactersFiveToNineAndLanguagesOfSixteenBits) {
  const std::pair<std::string, std::int32_t> versions[] = {
      {"Ver 1.102", 1102},
      {"Ver 1.103" + std::string(43, '\0'), 1103},
      {"KV73 2.5ab", 2500},
      {"Ver1.00", 0},         // characters 5 to 7 are ".00"
      {"Ver 1.1025x", 1102},  // only five characters count
      {"Ver  1.1", 1100},     // leading spaces skipped
      {"Ver .0005", 0},       // 0.5 and 1.5 round to the even neighbour
      {"Ver .0015", 2},
      {"Ver x1.10", 0},
      {"", 0},
      {"Ver 99999", 99999000},
  };
  for (const auto& [text, number] : versions)
    EXPECT_EQ(VersionNumberFromText(text), number) << text;
  // Language numbers: none beyond sixteen bits.
  const std::optional<std::int16_t> none;
  const std::pair<const char*, std::optional<std::int16_t>> languages[] = {
      {"3", 3},   {" 16 ", 16},     {"2.5", 2},      {"-4", -4},
      {"abc", 0}, {"32767", 32767}, {"32768", none}, {"99999999999", none}};
  for (const auto& [text, number] : languages) EXPECT_EQ(LeadingInt16(text), number) << text;
}

}  // namespace
}  // namespace kv
