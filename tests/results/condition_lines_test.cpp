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

  // The lines every profile shares, for a metric and an inch reading.
  EXPECT_EQ(ConditionLines(r, false, 0),
            (ConditionLineArray{"CUT 0.8mm", "N 5", "CUV R", "FIL GAUSS", "STD JIS 2001",
                                "LS  2.5um", "STP 0.50", "UNT 1", "LNG J"}));
  EXPECT_EQ(ConditionLines(r, true, 0),
            (ConditionLineArray{"CUT 0.03in", "N 5", "CUV R", "FIL GAUSS", "STD JIS 2001",
                                "LS  100uin", "STP 20.0", "UNT 2", "LNG E"}));
  EXPECT_EQ(ConditionLines(pLength, false, 1)[8], "LNG E");
  EXPECT_EQ(ConditionLines(badLambdaS, false, 0)[5], "");

  // Cut-off or limits, count or length, profile: what differs between profiles.
  struct Case {
    const char* name;
    ConditionCodes codes;
    bool inch;
    std::array<std::string, 3> lines;
  } cases[] = {
      {"P length mode", pLength, false, {"CUT ***", "L  4mm", "CUV P"}},
      {"P count", Codes(0), false, {"L   0.8mm", "N 5", "CUV P"}},
      {"W", w, false, {"CUT 0.8mm-NONE", "N 5", "CUV W"}},
      {"W long inch", wLong, true, {"CUT 3.0in", "N 5", "CUV W"}},
      {"W without cut-off", wNoCutoff, false, {"-0.8mm", "N 5", "CUV W"}},
      {"W-Motif", wMotif, false, {"AB  0.3mm-1.25mm", "L  .25mm", "CUV W-Motif"}},
      {"W-Motif inch", wMotif, true, {"AB  0.012in-0.049in", "L 0.01in", "CUV W-Motif"}},
      {"R-Motif", rMotif, false, {"A   0.10mm", "L  16mm", "CUV R-Motif"}},
      {"DF gets its cut-off", df, false, {"CUT 0.8mm", "N 5", "CUV DF"}},
      {"inch length", inchLength, true, {"CUT 0.03in", "L 1in", "CUV R"}},
      {"motif outside", badMotif, false, {"", "", "CUV R-Motif"}},
  };
  for (const auto& c : cases) {
    ConditionLineArray lines = ConditionLines(c.codes, c.inch, 0);
    EXPECT_EQ((std::array<std::string, 3>{lines[0], lines[1], lines[2]}), c.lines) << c.name;
  }
}

}  // namespace
}  // namespace kv
