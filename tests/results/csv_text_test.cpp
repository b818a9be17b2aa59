// SPDX-License-Identifier: GPL-3.0-or-later
// How result files turn lines and numbers into bytes.
#include <gtest/gtest.h>

#include "results/csv_file.h"
#include "results/number_text.h"

namespace kv {
namespace {

TEST(CsvTextTest, GeneralAndSignSpaceNumberText) {
  const struct {
    double value;
    const char* general;
    const char* signSpace;
  } cases[] = {
      {12, "12", " 12"},
      {0.5, "0.5", " .5"},
      {-0.25, "-0.25", "-.25"},
      {0.0001, "0.0001", " .0001"},
      {0.00001, "1E-05", " 1E-05"},
      {1.0 / 3, "0.333333333333333", " .333333333333333"},
      {0, "0", " 0"},
      {-0.0, "0", " 0"},
      {0.1 + 0.2, "0.3", " .3"},
      {999999999999999, "999999999999999", " 999999999999999"},
      {1e15, "1E+15", " 1E+15"},
      {1234567890123456, "1.23456789012346E+15", " 1.23456789012346E+15"},
      {1.5e-100, "1.5E-100", " 1.5E-100"},
      {0.000099999999999999995, "0.0001", " .0001"},  // rounding carries into the next decade
      {2.0 / 3 * 1e-3, "0.000666666666666667", " .000666666666666667"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GeneralNumberText(c.value), c.general) << c.value;
    EXPECT_EQ(SignSpaceText(c.value), c.signSpace) << c.value;
  }
}

TEST(CsvTextTest, RoundingAndLeadingNumbers) {
  const struct {
    double value;
    double halfAway;  // to two decimals
    double halfEven;  // to a whole number
  } cases[] = {
      {0.125, 0.13, 0}, {-0.125, -0.13, -0}, {2.5, 2.5, 2},    {1.5, 1.5, 2},
      {-1.5, -1.5, -2}, {0.5, 0.5, 0},       {2.4999, 2.5, 2}, {2.5001, 2.5, 3},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(RoundHalfAway(c.value, 100), c.halfAway) << c.value;
    EXPECT_EQ(RoundHalfEven(c.value), c.halfEven) << c.value;
  }
  // What the version texts do not show.
  for (auto [text, value] : {std::pair{"-3.5", -3.5},
                             {"+7", 7.0},
                             {"1.2.3", 1.2},
                             {"1e3", 1.0},
                             {"-", 0.0},
                             {".5", 0.5}}) {
    EXPECT_EQ(LeadingNumber(text), value) << text;
  }
}

TEST(CsvTextTest, BytesUpToTheFirstEmptyLineWithTheFirstCommaOfEachAPoint) {
  struct Case {
    LineList lines;
    std::string bytes;
  } cases[] = {
      {{"0.5", "1,25", "", "never"}, "0.5\r\n1.25\r\n"},
      {{"1,5,7", "-0.25"}, "1.5,7\r\n-0.25\r\n"},
      {{"AB  0.3mm-1,25mm,x"}, "AB  0.3mm-1.25mm,x\r\n"},
      {{"", "x"}, ""},
      {{"\x83\x8F"}, "\x83\x8F\r\n"},
  };
  for (auto& c : cases) EXPECT_EQ(CsvBytes(c.lines), c.bytes);
}

}  // namespace
}  // namespace kv
