// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/condition_lines.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

// `c` with the codes every case shares where it has none (0): cut-off 0.8 mm,
// GAUSS, JIS 2001, lambda-s 2.5 um, pitch 2, and five sampling lengths unless
// it gives an evaluation length.
ConditionCodes Shared(ConditionCodes c) {
  for (std::uint8_t* code : {&c.standard, &c.filter, &c.lambdaS, &c.pitch}) {
    if (*code == 0) *code = 2;
  }
  if (c.length == 0) c.length = 3;
  if (c.evaluationLength == 0) c.samplingCount = 5;
  return c;
}

TEST(ConditionLinesTest, DecodesEveryLine) {
  // The lines every profile shares (inch ones: ReadersTest, byte-exact).
  EXPECT_EQ(ConditionLines(Shared({.profile = 1}), false, 0),
            (ConditionLineArray{"CUT 0.8mm", "N 5", "CUV R", "FIL GAUSS", "STD JIS 2001",
                                "LS  2.5um", "STP 0.50", "UNT 1", "LNG J"}));
  EXPECT_EQ(ConditionLines(Shared({}), false, 1)[8], "LNG E");
  EXPECT_EQ(ConditionLines(Shared({.profile = 1, .lambdaS = 8}), false, 0)[5], "");

  // Cut-off or limits, count or length, profile: what differs between profiles.
  const ConditionCodes wMotif{
      .motifLengths = {0.25, 1, 2, 3, 4}, .userValueA = 0.3, .userValueB = 1.25, .profile = 5};
  const struct {
    bool inch;
    ConditionCodes codes;
    std::array<std::string, 3> lines;
  } cases[] = {
      {false, {.evaluationLength = 4}, {"CUT ***", "L  4mm", "CUV P"}},  // P length mode
      {false, {}, {"L   0.8mm", "N 5", "CUV P"}},
      {false, {.profile = 2, .waveCutoff = 3, .lambdaF = 7}, {"CUT 0.8mm-NONE", "N 5", "CUV W"}},
      {true, {.profile = 2, .waveCutoff = 7, .lambdaF = 9}, {"CUT 3.0in", "N 5", "CUV W"}},
      {false, {.profile = 2, .waveCutoff = 8, .lambdaF = 2}, {"-0.8mm", "N 5", "CUV W"}},
      {false, wMotif, {"AB  0.3mm-1.25mm", "L  .25mm", "CUV W-Motif"}},
      {true, wMotif, {"AB  0.012in-0.049in", "L 0.01in", "CUV W-Motif"}},
      {false,
       {.motifLengths = {0, 0, 16}, .profile = 4, .motif = 2},
       {"A   0.10mm", "L  16mm", "CUV R-Motif"}},
      {false, {.profile = 3}, {"CUT 0.8mm", "N 5", "CUV DF"}},  // DF gets its cut-off
      {true, {.evaluationLength = 25.4, .profile = 1}, {"CUT 0.03in", "L 1in", "CUV R"}},
      {false, {.profile = 4, .motif = 5}, {"", "", "CUV R-Motif"}},  // motif outside its table
  };
  for (const auto& c : cases) {
    ConditionLineArray lines = ConditionLines(Shared(c.codes), c.inch, 0);
    EXPECT_EQ((std::array<std::string, 3>{lines[0], lines[1], lines[2]}), c.lines);
  }
}

}  // namespace
}  // namespace kv
