// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/version_number.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(VersionNumberTest, ThousandTimesCharactersFiveToNine) {
  struct Case {
    std::string text;
    std::int32_t number;
  } cases[] = {
      {"Ver 1.102", 1102},
      {"Ver 1.103" + std::string(43, '\0'), 1103},
      {"KV73 2.5ab", 2500},
      {"Ver1.00", 0},         // characters 5 to 7 are ".00"
      {"Ver 1.1025x", 1102},  // only five characters count
      {"Ver  1.1", 1100},     // leading spaces skipped
      {"Ver .0005", 0},       // 0.5 and 2.5 round to the even neighbour
      {"Ver .0025", 2},
      {"Ver .0015", 2},
      {"Ver", 0},
      {"", 0},
      {"Ver x1.10", 0},
      {"Ver 99999", 99999000},
  };
  for (const auto& c : cases) EXPECT_EQ(VersionNumberFromText(c.text), c.number) << c.text;
}

TEST(VersionNumberTest, LanguageNumbersMustFitSixteenBits) {
  EXPECT_EQ(LeadingInt16("3"), 3);
  EXPECT_EQ(LeadingInt16(" 16 "), 16);
  EXPECT_EQ(LeadingInt16("2.5"), 2);
  EXPECT_EQ(LeadingInt16("-4"), -4);
  EXPECT_EQ(LeadingInt16("abc"), 0);
  EXPECT_EQ(LeadingInt16("32767"), 32767);
  EXPECT_FALSE(LeadingInt16("32768").has_value());
  EXPECT_FALSE(LeadingInt16("99999999999").has_value());
}

}  // namespace
}  // namespace kv
