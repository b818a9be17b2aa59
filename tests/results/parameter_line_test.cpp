// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "results/parameters_reader.h"

namespace kv {
namespace {

TEST(ParameterLineTest, AlignsNamesAndTranslatesGreekLetters) {
  struct Case {
    std::string record;
    std::string line;
  } cases[] = {
      {"Ra 0.123 um", "Ra     0.123 um"},
      {"R\x83\xA2q 0.05", "RDq    0.05"},  // capital delta
      {"R\x83\xC2q 0.05", "RDq    0.05"},  // small delta, then the dq fix
      {"R\x83\xC2"
       "c 0.8 um",
       "Rdc    0.8 um"},
      {"R\x83\xC9q 12.5 um", "RLq    12.5 um"},  // small lambda
      {"Rda 1", "RDa    1"},
      {" 0.5 um", "       0.5 um"},
      {"Rmr(c) 55.0 %", "Rmr(c) 55.0 %"},  // a long name keeps one space
      {"Rsk  -0.12", "Rsk     -0.12"},     // spacing after the first space is the controller's
      {"R", "R"},                          // no space: nothing to align
      {"Rz1max 3.2 um", "Rz1max 3.2 um"},
      {"RPc 12 /cm", "RPc    12 /cm"},
  };
  for (const auto& c : cases) EXPECT_EQ(ParameterLine(c.record), c.line) << c.record;
}

}  // namespace
}  // namespace kv
