// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/certificate/certificate_data.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/certificate/certificate_graph.h"
#include "temp_folder.h"
#include "working_folder.h"

namespace kv {
namespace {

using ::testing::ElementsAre;
using ::testing::FieldsAre;

class CertificateDataTest : public ::testing::Test {
 protected:
  CertificateData Read() {
    auto data = ReadCertificateData(temp_.path());
    EXPECT_TRUE(data.ok()) << data.status().description();
    return data.ok() ? data.value() : CertificateData{};
  }
  kvtest::TempFolder temp_;
};

TEST_F(CertificateDataTest, ReadsTheWholeMeasurement) {
  kvtest::WriteWorkingFolder(temp_.path(), {.japanese = true, .points = 50001});
  CertificateData data = Read();
  ASSERT_EQ(data.parameters.size(), 6u);
  EXPECT_THAT(data.parameters[0], FieldsAre("Ra", "0.235 um"));
  EXPECT_THAT(data.parameters[5], FieldsAre("RDq", "0.0612"));
  EXPECT_EQ(data.unit, Unit::Metric);
  EXPECT_EQ(data.pitchText, "0.50");
  EXPECT_EQ(data.pitch, 0.5);
  ASSERT_EQ(data.evaluation.size(), 50001u);
  EXPECT_EQ(data.evaluation[50001 / 3], -4.5);
  EXPECT_EQ(data.bac.size(), 200u);
  EXPECT_EQ(data.adc.size(), 200u);
  EXPECT_EQ(data.layout, GraphLayout::BacAdc);
  EXPECT_THAT(data.comments, ElementsAre("ワーク名", "測定機器", "測定者", "コメント", "サンプル",
                                         "Corvanet KV-730", "Tarnwick", "Ver3.00"));
}

TEST_F(CertificateDataTest, ConditionLinesOfBothWritersGetTheirLabels) {
  struct Case {
    std::vector<std::string> lines;
    std::vector<Condition> conditions;
    const char* pitch;
  } const cases[] = {
      {{"CUT 0.8mm", "N 5", "CUV R", "FIL GAUSS", "STD JIS 2001", "LS  2.5um", "STP 0.50", "UNT 1"},
       {{"CutOff", "0.8mm"},
        {"SamplingLengths", "5"},
        {"Profile", "R"},
        {"Filter", "GAUSS"},
        {"Standard", "JIS 2001"},
        {"LambdaS", "2.5um"}},
       "0.50"},
      // The data-file converter: one space after LS, the pitch as a plain number.
      {{"CUT ***", "L 4mm", "CUV P", "FIL 2CR", "STD ISO 1997", "LS 2.5um", "STP 0.5", "UNT 1",
        "LNG E"},
       {{"CutOff", "***"},
        {"EvaluationLength", "4mm"},
        {"Profile", "P"},
        {"Filter", "2CR"},
        {"Standard", "ISO 1997"},
        {"LambdaS", "2.5um"}},
       "0.5"},
      {{"L   0.8mm", "N 5", "CUV P", "FIL GAUSS", "STD FREE", "LS  NONE", "STP 1.00", "UNT 1"},
       {{"SamplingLength", "0.8mm"},
        {"SamplingLengths", "5"},
        {"Profile", "P"},
        {"Filter", "GAUSS"},
        {"Standard", "FREE"},
        {"LambdaS", "NONE"}},
       "1.00"},
      {{"AB  0.3mm-1.25mm", "L  4mm", "CUV W-Motif", "FIL GAUSS", "STD ISO 1997", "LS  8.0um",
        "STP 0.10", "UNT 1"},
       {{"MotifLimitsAB", "0.3mm-1.25mm"},
        {"EvaluationLength", "4mm"},
        {"Profile", "W-Motif"},
        {"Filter", "GAUSS"},
        {"Standard", "ISO 1997"},
        {"LambdaS", "8.0um"}},
       "0.10"},
      {{"-0.8mm", "N 5", "CUV W", "FIL GAUSS", "STD VDA", "LS  25um", "STP 5.00", "UNT 1"},
       {{"CutOff", "-0.8mm"},
        {"SamplingLengths", "5"},
        {"Profile", "W"},
        {"Filter", "GAUSS"},
        {"Standard", "VDA"},
        {"LambdaS", "25um"}},
       "5.00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines[0]);
    kvtest::WriteWorkingFolder(temp_.path(), {.points = 10});
    kvtest::WriteLines(temp_.path() / "Condition.csv", c.lines);
    CertificateData data = Read();
    EXPECT_EQ(data.conditions, c.conditions);
    EXPECT_EQ(data.pitchText, c.pitch);
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
  for (const Case& c : cases) {
    kvtest::WriteWorkingFolder(temp_.path(), {.points = 10});
    kvtest::WriteLines(temp_.path() / "Autoprint.INI", c.autoprint);
    EXPECT_EQ(Read().layout, c.layout) << c.autoprint.size();
  }
  // A short comment file leaves the lines it lacks empty; UTF-8 stays as it is.
  kvtest::WriteBytes(temp_.path() / "Comment.INI", "Bauteil\r\nMessgerät\r\nPrüfer");
  EXPECT_THAT(Read().comments, ElementsAre("Bauteil", "Messgerät", "Prüfer", "", "", "", "", ""));
}

TEST_F(CertificateDataTest, InchMeasurement) {
  kvtest::WriteWorkingFolder(temp_.path(), {.inch = true, .points = 10, .layout = "2"});
  CertificateData data = Read();
  EXPECT_EQ(data.unit, Unit::Inch);
  EXPECT_EQ(data.pitch, 20.0);
  EXPECT_THAT(data.parameters[0], FieldsAre("Ra", "9.25 uin"));
  EXPECT_EQ(data.layout, GraphLayout::Enlarged);
}

TEST(DecimateMinMaxTest, KeepsEverySpikeAndFewValuesAsTheyAre) {
  std::vector<double> flat(50001, 0.0);
  flat[17] = 3;        // inside the first column
  flat[25000] = -7.5;  // a single scratch
  flat[50000] = 1.25;  // the very last value
  auto points = DecimateMinMax(flat, 1000);
  EXPECT_LE(points.size(), 2000u);
  auto has = [&points](double value) {
    return std::any_of(points.begin(), points.end(),
                       [value](const CurvePoint& p) { return p.value == value; });
  };
  EXPECT_TRUE(has(3));
  EXPECT_TRUE(has(-7.5));
  EXPECT_TRUE(has(1.25));
  EXPECT_TRUE(
      std::is_sorted(points.begin(), points.end(),
                     [](const CurvePoint& a, const CurvePoint& b) { return a.along < b.along; }));

  auto few = DecimateMinMax(std::vector<double>{1, 2, 3}, 1000);
  ASSERT_EQ(few.size(), 3u);
  EXPECT_EQ(few[0].along, 0);
  EXPECT_EQ(few[1].along, 0.5);
  EXPECT_EQ(few[2].along, 1);
  EXPECT_EQ(few[2].value, 3);
}

}  // namespace
}  // namespace kv
