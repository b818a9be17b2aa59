// SPDX-License-Identifier: GPL-3.0-or-later
#include "x3p/condition_units.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Conditions(const std::string& pitch, const std::string& unit) {
  return {"CUT 0.8mm", "N  5", "CUV R", "FIL GAUSS", "STD JIS 2001",
          "LS  2.5um", pitch,  unit,    "LNG J"};
}

// The inch line rounds the metric pitch; the points lie the metric pitch apart.
TEST(ConditionUnits, PitchInMicrometresInEitherUnit) {
  const std::tuple<const char*, const char*, double> cases[] = {
      {"STP 0.05", "UNT 1", 0.05}, {"STP 0.5", "UNT 1", 0.5},  {"STP 50.0", "UNT 1", 50.0},
      {"STP 2.0", "UNT 2", 0.05},  {"STP 20.0", "UNT 2", 0.5}, {"STP 2000.0", "UNT 2", 50.0},
      {"STP 10", "UNT 2", 0.254}};
  for (auto [line, unit, micrometres] : cases) {
    auto units = kv::ConditionUnitsOf(Conditions(line, unit));
    ASSERT_TRUE(units.ok()) << line;
    EXPECT_EQ(units.value().pitchMicrometres, micrometres) << line;
    EXPECT_EQ(units.value().inch, std::string(unit) == "UNT 2") << line;
  }
}

TEST(ConditionUnits, NamesTheLineItCannotRead) {
  EXPECT_EQ(kv::ConditionUnitsOf(Conditions("STP 0.50", "UNT 3")).status().description(),
            "\"Condition.csv\" in the working folder: line 8 is not \"UNT 1\" or \"UNT 2\".");
  for (const char* pitch : {"STP", "STP 0", "STP -1", "STP 0.5um", "LS  0.5"}) {
    EXPECT_EQ(kv::ConditionUnitsOf(Conditions(pitch, "UNT 1")).status().description(),
              "\"Condition.csv\" in the working folder: line 7 is not a sampling pitch (\"STP\" "
              "and a number).")
        << pitch;
  }
  // A code outside its table ends the file early (the lambda-s line here).
  EXPECT_EQ(kv::ConditionUnitsOf({"CUT 0.8mm", "N  5", "CUV R", "FIL GAUSS", "STD JIS 2001"})
                .status()
                .description(),
            "\"Condition.csv\" in the working folder: line 6 is missing: the file ends before the "
            "pitch and unit lines.");
}

}  // namespace
