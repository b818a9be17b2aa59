// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/condition_lines.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

ConditionCodes Codes(std::uint8_t profile) {
  ConditionCodes c;
  c.profile = profile;
  c.length = 3;
  c.samplingCount = 5;
  c.filter = 2;
  c.standard = 2;
  c.lambdaS = 2;
  c.pitch = 2;
  return c;
}

TEST(ConditionLinesTest, DecodesEveryLine) {
  ConditionCodes r = Codes(1);
  ConditionCodes pLength = Codes(0);
  pLength.samplingCount = 0;
  pLength.evaluationLength = 4;
  ConditionCodes w = Codes(2);
  w.waveCutoff = 3;
  w.lambdaF = 7;
  ConditionCodes wLong = Codes(2);
  wLong.waveCutoff = 7;
  wLong.lambdaF = 9;
  ConditionCodes wNoCutoff = Codes(2);
  wNoCutoff.waveCutoff = 8;
  wNoCutoff.lambdaF = 2;
  ConditionCodes wMotif = Codes(5);
  wMotif.motif = 0;
  wMotif.userValueA = 0.3;
  wMotif.motifB = 0;
  wMotif.userValueB = 1.25;
  wMotif.motifLengths = {0.25, 1, 2, 3, 4};
  ConditionCodes rMotif = Codes(4);
  rMotif.motif = 2;
  rMotif.motifLengths = {0, 0, 16, 0, 0};
  ConditionCodes df = Codes(3);
  ConditionCodes inchLength = Codes(1);
  inchLength.samplingCount = 0;
  inchLength.evaluationLength = 25.4;
  ConditionCodes badLambdaS = Codes(1);
  badLambdaS.lambdaS = 8;
  ConditionCodes badMotif = Codes(4);
  badMotif.motif = 5;

  struct Case {
    const char* name;
    ConditionCodes codes;
    bool inch;
    std::int16_t language;
    ConditionLineArray lines;
  } cases[] = {
      {"R metric",
       r,
       false,
       0,
       {"CUT 0.8mm", "N 5", "CUV R", "FIL GAUSS", "STD JIS 2001", "LS  2.5um", "STP 0.50", "UNT 1",
        "LNG J"}},
      {"R inch",
       r,
       true,
       0,
       {"CUT 0.03in", "N 5", "CUV R", "FIL GAUSS", "STD JIS 2001", "LS  100uin", "STP 20.0",
        "UNT 2", "LNG E"}},
      {"P length mode",
       pLength,
       false,
       1,
       {"CUT ***", "L  4mm", "CUV P", "FIL GAUSS", "STD JIS 2001", "LS  2.5um", "STP 0.50", "UNT 1",
        "LNG E"}},
      {"P count",
       Codes(0),
       false,
       0,
       {"L   0.8mm", "N 5", "CUV P", "FIL GAUSS", "STD JIS 2001", "LS  2.5um", "STP 0.50", "UNT 1",
        "LNG J"}},
      {"W",
       w,
       false,
       0,
       {"CUT 0.8mm-NONE", "N 5", "CUV W", "FIL GAUSS", "STD JIS 2001", "LS  2.5um", "STP 0.50",
        "UNT 1", "LNG J"}},
      {"W long inch",
       wLong,
       true,
       0,
       {"CUT 3.0in", "N 5", "CUV W", "FIL GAUSS", "STD JIS 2001", "LS  100uin", "STP 20.0", "UNT 2",
        "LNG E"}},
      {"W without cut-off",
       wNoCutoff,
       false,
       0,
       {"-0.8mm", "N 5", "CUV W", "FIL GAUSS", "STD JIS 2001", "LS  2.5um", "STP 0.50", "UNT 1",
        "LNG J"}},
      {"W-Motif",
       wMotif,
       false,
       0,
       {"AB  0.3mm-1.25mm", "L  .25mm", "CUV W-Motif", "FIL GAUSS", "STD JIS 2001", "LS  2.5um",
        "STP 0.50", "UNT 1", "LNG J"}},
      {"W-Motif inch",
       wMotif,
       true,
       0,
       {"AB  0.012in-0.049in", "L 0.01in", "CUV W-Motif", "FIL GAUSS", "STD JIS 2001", "LS  100uin",
        "STP 20.0", "UNT 2", "LNG E"}},
      {"R-Motif",
       rMotif,
       false,
       0,
       {"A   0.10mm", "L  16mm", "CUV R-Motif", "FIL GAUSS", "STD JIS 2001", "LS  2.5um",
        "STP 0.50", "UNT 1", "LNG J"}},
      {"DF gets its cut-off",
       df,
       false,
       0,
       {"CUT 0.8mm", "N 5", "CUV DF", "FIL GAUSS", "STD JIS 2001", "LS  2.5um", "STP 0.50", "UNT 1",
        "LNG J"}},
      {"inch length",
       inchLength,
       true,
       0,
       {"CUT 0.03in", "L 1in", "CUV R", "FIL GAUSS", "STD JIS 2001", "LS  100uin", "STP 20.0",
        "UNT 2", "LNG E"}},
      {"lambda-s outside",
       badLambdaS,
       false,
       0,
       {"CUT 0.8mm", "N 5", "CUV R", "FIL GAUSS", "STD JIS 2001", "", "STP 0.50", "UNT 1",
        "LNG J"}},
      {"motif outside",
       badMotif,
       false,
       0,
       {"", "", "CUV R-Motif", "FIL GAUSS", "STD JIS 2001", "LS  2.5um", "STP 0.50", "UNT 1",
        "LNG J"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ConditionLines(c.codes, c.inch, c.language), c.lines) << c.name;
  }
}

}  // namespace
}  // namespace kv
