// SPDX-License-Identifier: GPL-3.0-or-later
#include "datafile/evaluation_conversion.h"

#include "import_fixture.h"

namespace kv {
namespace {

class EvaluationConversionTest : public kvtest::ImportFixture {};

// Six points 0.5 um apart with these values.
std::string Points(const std::vector<std::string>& values) {
  std::string points;
  for (std::size_t i = 0; i < values.size(); ++i) {
    points += std::to_string(i) + ".5;" + values[i] + ";\n";
  }
  return points;
}

TEST_F(EvaluationConversionTest, MetricValuesAreCopiedAndInchOnesConverted) {
  struct Case {
    std::int16_t unit;
    std::string count;
    std::vector<std::string> values;
    std::string file;
  } cases[] = {
      {1,
       "6",
       {"1.50", "-0.25", "1e-3", " 7 ", "+2.", "0"},
       "1.50\r\n-0.25\r\n1e-3\r\n 7 \r\n+2.\r\n0\r\n"},
      {2,
       "6",
       {"25.4", "2.54", "0.0254", "-25.4", "0", "1E+1"},
       "1000\r\n100\r\n1\r\n-1000\r\n0\r\n393.700787401575\r\n"},
      {0, "3;", {"1", "2", "3", "x", "y", "z"}, "1\r\n2\r\n3\r\n"},  // not inch: as written
      {1, " 0 ", {"a", "b", "c", "d", "e", "f"}, ""},                // no points, yet a pitch
  };
  for (const auto& c : cases) {
    settings.UnitSetting = c.unit;
    double pitch = -1;
    DataLineList lines = Lines("// A CalcData\n" + c.count + "\nX;Y;\n" + Points(c.values));
    ASSERT_EQ(DataFileToEvaluation(lines, context, pitch), 1) << c.count;
    EXPECT_EQ(Staged("Evaluation.csv"), c.file) << c.count;
    EXPECT_EQ(pitch, 5.5 / 5) << c.count;  // the sixth x, divided by 5
  }
}

TEST_F(EvaluationConversionTest, OnlyTheSelectedSetIsConverted) {
  settings.UnitSetting = 1;
  settings.EvaluationSelection = 1;
  double pitch = 0;
  DataLineList lines = Lines("// A CalcData\n1\nX;Y;\n0;1;\n// B CalcData\n1\nX;Y;\n0;2;\n");
  ASSERT_EQ(DataFileToEvaluation(lines, context, pitch), 1);
  EXPECT_EQ(Staged("Evaluation.csv"), "2\r\n");
  EXPECT_EQ(pitch, 0);  // the x lines lie beyond the file
}

TEST_F(EvaluationConversionTest, ACountOrPointThatCannotBeReadRefusesTheFile) {
  const std::string six = Points({"1", "2", "3", "4", "5", "6"});
  const std::string header = "// A CalcData\n";
  struct Case {
    std::string file;
  } cases[] = {
      {"// B CalcData\n6\nX;Y;\n" + six},  // no section of set A
      {header},                            // no count
      {header + "six\nX;Y;\n" + six},      // count not a number
      {header + "6.5\nX;Y;\n" + six},      // nor a whole one
      {header + "-1\nX;Y;\n" + six},
      {header + "6 points\nX;Y;\n" + six},
      {header + "7\nX;Y;\n" + six},  // fewer point lines
      {header + "99999999999999999999\nX;Y;\n" + six},
      {header + "6\nX;Y;\n" + Points({"1", "", "3", "4", "5", "6"})},  // empty value
      {header + "6\nX;Y;\n" + Points({"1", "2", "3", " ", "5", "6"})},
      {header + "6\nX;Y;\n" + Points({"1", "2", "1,5", "4", "5", "6"})},  // not a number
      {header + "6\nX;Y;\n" + Points({"1", "2", "3", "4", "5", "nan"})},
      {header + "6\nX;Y;\n" + Points({"inf", "2", "3", "4", "5", "6"})},
      {header + "6\nX;Y;\n" + Points({"1", "2", "3", "4", "5", "1e999"})},
      {header + "6\nX;Y;\n" + Points({"1", "2", "3", "4", "5", "+-6"})},
      {header + "6\nX;Y;\n" + Points({"1", "2", "3", "4", "5", "0x6"})},
      {header + "2\nX;Y;\n0;1;\n1;2\n"},  // fewer than two ";"
      {header + "2\nX;Y;\n0;1;\n1\n"},
  };
  for (const auto& c : cases) {
    settings.UnitSetting = 1;
    double pitch = -1;
    EXPECT_EQ(DataFileToEvaluation(Lines(c.file), context, pitch), 0) << c.file;
    EXPECT_EQ(Staged("Evaluation.csv"), "(not staged)") << c.file;
    EXPECT_EQ(pitch, -1) << c.file;
  }
}

}  // namespace
}  // namespace kv
