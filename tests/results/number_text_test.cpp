// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/number_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kv {
namespace {

TEST(NumberTextTest, GeneralNumberText) {
  struct Case {
    double value;
    const char* text;
  } cases[] = {
      {12, "12"},
      {0.5, "0.5"},
      {-3.25, "-3.25"},
      {0.0001, "0.0001"},
      {0.00001, "1E-05"},
      {1.0 / 3, "0.333333333333333"},
      {-0.000012, "-1.2E-05"},
      {0, "0"},
      {-0.0, "0"},
      {100, "100"},
      {0.1 + 0.2, "0.3"},
      {123456.789, "123456.789"},
      {999999999999999, "999999999999999"},
      {1e15, "1E+15"},
      {1234567890123456, "1.23456789012346E+15"},
      {9.9999999999999999e14, "1E+15"},  // rounding carries into the next decade
      {1.5e-100, "1.5E-100"},
      {0.000099999999999999995, "0.0001"},
      {2.0 / 3 * 1e-3, "0.000666666666666667"},
      {-7, "-7"},
      {1e300, "1E+300"},
  };
  for (const auto& c : cases) EXPECT_EQ(GeneralNumberText(c.value), c.text) << c.value;
}

TEST(NumberTextTest, SignSpaceText) {
  struct Case {
    double value;
    const char* text;
  } cases[] = {{4, " 4"}, {0.25, " .25"},  {-1.5, "-1.5"},      {-0.25, "-.25"},
               {0, " 0"}, {12.5, " 12.5"}, {0.00001, " 1E-05"}, {0.1 + 0.2, " .3"}};
  for (const auto& c : cases) EXPECT_EQ(SignSpaceText(c.value), c.text) << c.value;
}

TEST(NumberTextTest, Rounding) {
  struct Case {
    double value;
    double halfAway;  // to two decimals
    double halfEven;  // to a whole number
  } cases[] = {
      {0.125, 0.13, 0}, {-0.125, -0.13, -0}, {0, 0, 0},        {2.5, 2.5, 2},
      {1.5, 1.5, 2},    {-1.5, -1.5, -2},    {0.5, 0.5, 0},    {3.999, 4, 4},
      {2.4999, 2.5, 2}, {2.5001, 2.5, 3},    {-0.5, -0.5, -0},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(RoundHalfAway(c.value, 100), c.halfAway) << c.value;
    EXPECT_EQ(RoundHalfEven(c.value), c.halfEven) << c.value;
  }
}

TEST(NumberTextTest, LeadingNumber) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {{"1.102", 1.102}, {"  42abc", 42}, {"-3.5", -3.5}, {".5", 0.5}, {"1.2.3", 1.2},
               {"abc", 0},       {"", 0},         {"-", 0},       {"+7", 7},   {"1e3", 1}};
  for (const auto& c : cases) EXPECT_EQ(LeadingNumber(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace kv
