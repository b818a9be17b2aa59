// SPDX-License-Identifier: GPL-3.0-or-later
#include "datafile/parameter_conversion.h"

#include <algorithm>

#include "import_fixture.h"

namespace kv {
namespace {

class ParameterConversionTest : public kvtest::ImportFixture {};

TEST_F(ParameterConversionTest, EachResultLineBecomesNameFiveSpacesValueAndUnit) {
  struct Case {
    std::string section;  // lines after "// A CalcResult"
    std::string file;
    std::int16_t unit;
  } cases[] = {
      // The data section ends the result section.
      {"Ra;0.123;\xB5m;\nRsk;-0.1;;\n// A CalcData\n3\n", "Ra     0.123um\r\nRsk     -0.1\r\n", 1},
      // So do an empty line, a line that ends early and the end of the file.
      {"Ra;1;\xB5m;\n\nRq;2;\xB5m;\n", "Ra     1um\r\n", 1},
      {"Ra;0.1;\xB5m\nRq;2;\xB5m;\n", "Ra     0.1um\r\n", 1},
      {"Ra;1;\xB5m;", "Ra     1um\r\n", 1},
      {"", "", 1},
      // Text after the third field is not read; a comma becomes a point.
      {"Ra;1;\xB5m;old;\nRt;1,5;\xB5m;", "Ra     1um\r\nRt     1.5um\r\n", 1},
      // Rdq and Rda are RDq and RDa; Rdc stays.
      {"Rdq;0.07;;\nWda;0.1;;\nRdc;0.1;\xB5m;", "RDq     0.07\r\nWDa     0.1\r\nRdc     0.1um\r\n",
       1},
      // The first entry with a unit decides, metric first.
      {"Rsk;0.1;;\nRa;3.5;uin;\nRSm;0.1;mm;", "Rsk     0.1\r\nRa     3.5uin\r\nRSm     0.1mm\r\n",
       2},
      {"Ra;1;\xB5m;\nRSm;0.01;in;", "Ra     1um\r\nRSm     0.01in\r\n", 1},
      {"RPc;7;/in;", "RPc     7/in\r\n", 2},
      {"Rsk;0.1;;\nRmr;50;%;", "Rsk     0.1\r\nRmr     50%\r\n", 1},
  };
  for (const auto& c : cases) {
    stage.Clear();
    settings.UnitSetting = 0;
    DataLineList lines = Lines("// Ver.1\n// A CalcResult\n" + c.section);
    ASSERT_EQ(DataFileToParameter(lines, context), 1) << c.section;
    EXPECT_EQ(Staged("Parameter.csv"), c.file) << c.section;
    EXPECT_EQ(settings.UnitSetting, c.unit) << c.section;
  }
}

TEST_F(ParameterConversionTest, OnlyTheSelectedSetIsConverted) {
  DataLineList lines =
      Lines("// Ver.1\n// A CalcResult\nRa;1;\xB5m;\n\n// B CalcResult\nWa;2;\xB5m;\n\n");
  settings.EvaluationSelection = 1;
  ASSERT_EQ(DataFileToParameter(lines, context), 1);
  EXPECT_EQ(Staged("Parameter.csv"), "Wa     2um\r\n");
  settings.EvaluationSelection = 0;
  ASSERT_EQ(DataFileToParameter(lines, context), 1);
  EXPECT_EQ(Staged("Parameter.csv"), "Ra     1um\r\n");
}

TEST_F(ParameterConversionTest, AMissingSectionOrMoreThan51EntriesAreRefused) {
  std::string entries;
  for (int i = 0; i < 51; ++i) entries += "R" + std::to_string(i) + ";1;\xB5m;\n";
  struct Case {
    std::string file;
    int result;
  } cases[] = {
      {"// Ver.1\n// B CalcResult\nRa;1;\xB5m;\n", 0},
      {"// Ver.1\n// A Calcresult\nRa;1;\xB5m;\n", 0},
      {"// A CalcResult\n" + entries + "// A CalcData\n", 1},
      {"// A CalcResult\n" + entries + "\nRx;1;;\n", 1},
      {"// A CalcResult\n" + entries + "Rx;1;;\n", 0},
      {"// A CalcResult\n" + entries + "Rx", 0},
  };
  for (const auto& c : cases) {
    stage.Clear();
    view.parameters = "untouched";
    settings.UnitSetting = 0;
    EXPECT_EQ(DataFileToParameter(Lines(c.file), context), c.result) << c.file;
    if (c.result == 1) {
      const std::string file = Staged("Parameter.csv");
      EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 51);
      continue;
    }
    EXPECT_EQ(Staged("Parameter.csv"), "(not staged)") << c.file;
    EXPECT_EQ(view.parameters, "untouched") << c.file;
    EXPECT_EQ(settings.UnitSetting, 0) << c.file;
  }
}

}  // namespace
}  // namespace kv
