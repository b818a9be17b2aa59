// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/certificate/certificate_data.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/certificate/certificate_graph.h"
#include "working_folder.h"

namespace kv {
namespace {

using ::testing::ElementsAre;
using ::testing::IsSupersetOf;

class CertificateDataTest : public ::testing::Test {
 protected:
  CertificateData Read() {
    auto data = ReadCertificateData(temp_.path());
    EXPECT_TRUE(data.ok()) << data.status().description();
    return data.ok() ? data.value() : CertificateData{};
  }
  kvtest::TempFolder temp_;
};

// What the certificate's text shows is checked in its PDF; here the numbers it plots.
TEST_F(CertificateDataTest, ReadsEveryValueOfTheCurves) {
  kvtest::WriteWorkingFolder(temp_.path(), {.points = 50001});
  const CertificateData data = Read();
  EXPECT_EQ(data.pitch, 0.5);
  ASSERT_EQ(data.evaluation.size(), 50001u);
  EXPECT_EQ(data.evaluation[50001 / 3], -4.5);
  EXPECT_EQ(data.bac.size(), 200u);
  EXPECT_EQ(data.adc.size(), 200u);
}

// Lines of "Condition.csv" and what they give; the program's own show in the PDF.
TEST_F(CertificateDataTest, ConditionLinesOfBothWritersGetTheirLabels) {
  struct Case {
    std::vector<std::string> lines;
    std::string conditions;
  } const cases[] = {
      // The data-file converter: one space after LS, the pitch as a plain number.
      {{"CUT ***", "L 4mm", "CUV P", "FIL 2CR", "STD ISO 1997", "LS 2.5um", "STP 0.5", "UNT 1",
        "LNG E"},
       "CutOff ***, EvaluationLength 4mm, Profile P, Filter 2CR, Standard ISO 1997, "
       "LambdaS 2.5um, pitch 0.5"},
      {{"L   0.8mm", "N 5", "CUV P", "FIL GAUSS", "STD FREE", "LS  NONE", "STP 1.00", "UNT 1"},
       "SamplingLength 0.8mm, SamplingLengths 5, Profile P, Filter GAUSS, Standard FREE, "
       "LambdaS NONE, pitch 1.00"},
      {{"AB  0.3mm-1.25mm", "L  4mm", "CUV W-Motif", "FIL GAUSS", "STD ISO 1997", "LS  8.0um",
        "STP 0.10", "UNT 1"},
       "MotifLimitsAB 0.3mm-1.25mm, EvaluationLength 4mm, Profile W-Motif, Filter GAUSS, "
       "Standard ISO 1997, LambdaS 8.0um, pitch 0.10"},
      {{"-0.8mm", "N 5", "CUV W", "FIL GAUSS", "STD VDA", "LS  25um", "STP 5.00", "UNT 1"},
       "CutOff -0.8mm, SamplingLengths 5, Profile W, Filter GAUSS, Standard VDA, LambdaS 25um, "
       "pitch 5.00"},
  };
  kvtest::WriteWorkingFolder(temp_.path(), {.points = 10});
  for (const Case& c : cases) {
    kvtest::WriteLines(temp_.path() / "Condition.csv", c.lines);
    const CertificateData data = Read();
    std::string conditions;
    for (const Condition& condition : data.conditions) {
      conditions += condition.label + " " + condition.value + ", ";
    }
    EXPECT_EQ(conditions + "pitch " + data.pitchText, c.conditions);
  }
}

TEST_F(CertificateDataTest, SettingsFilesAreReadAsTheProgramWritesThem) {
  struct Case {
    std::vector<std::string> autoprint;
    GraphLayout layout;
  } const cases[] = {
      {{"0"}, GraphLayout::Normal},  // the default file: all entries "0"
      {{"0", "0", "0", "1", "0", "0"}, GraphLayout::BacAdc},
      {{"0", "1", "2", "2", "1", "0"}, GraphLayout::Enlarged},
      {{"0", "0", "0", "", "0", "0"}, GraphLayout::Normal},
      {{"1", "1", "1", "1", "1"}, GraphLayout::Normal},  // five lines read as all "0"
  };
  kvtest::WriteWorkingFolder(temp_.path(), {.points = 10});
  for (const Case& c : cases) {
    kvtest::WriteLines(temp_.path() / "Autoprint.INI", c.autoprint);
    EXPECT_EQ(Read().layout, c.layout) << c.autoprint.size();
  }
  // A short comment file leaves the lines it lacks empty; UTF-8 stays as it is.
  kvtest::WriteBytes(temp_.path() / "Comment.INI", "Bauteil\r\nMessgerät\r\nPrüfer");
  EXPECT_THAT(Read().comments, ElementsAre("Bauteil", "Messgerät", "Prüfer", "", "", "", "", ""));
}

TEST(DecimateMinMaxTest, KeepsEverySpikeAndFewValuesAsTheyAre) {
  std::vector<double> flat(50001, 0.0);
  flat[17] = 3;        // inside the first column
  flat[25000] = -7.5;  // a single scratch
  flat[50000] = 1.25;  // the very last value
  auto points = DecimateMinMax(flat, 1000);
  EXPECT_LE(points.size(), 2000u);
  std::vector<double> kept;
  for (const CurvePoint& p : points) kept.push_back(p.value);
  EXPECT_THAT(kept, IsSupersetOf({3.0, -7.5, 1.25}));
  EXPECT_TRUE(std::ranges::is_sorted(points, {}, &CurvePoint::along));

  std::string few;  // along: value
  for (const CurvePoint& p : DecimateMinMax(std::vector<double>{1, 2, 3}, 1000)) {
    few += std::to_string(p.along) + ": " + std::to_string(p.value) + ", ";
  }
  EXPECT_EQ(few, "0.000000: 1.000000, 0.500000: 2.000000, 1.000000: 3.000000, ");
}

}  // namespace
}  // namespace kv
