// SPDX-License-Identifier: GPL-3.0-or-later
#include "certificate/certificate_data.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "working_folder.h"

namespace kv {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

class CertificateDataTest : public kvtest::WorkingFolderTest {
 protected:
  CertificateData Read() {
    auto data = ReadCertificateData(files_, kvtest::kWorkFolder);
    EXPECT_TRUE(data.ok()) << data.status().description();
    return data.ok() ? data.value() : CertificateData{};
  }
};

// The conditions by their labels, the pitch and the unit.
std::string Conditions(const CertificateData& data) {
  std::string text;
  for (const Condition& condition : data.conditions)
    text += condition.label + "=" + condition.value + "|";
  return text + data.pitchText + (data.unit == Unit::Metric ? " metric" : " inch");
}

TEST_F(CertificateDataTest, ReadsEveryValueAsTheFilesHoldIt) {
  kvtest::WriteWorkingFolder(work_, 50001);
  CertificateData data = Read();
  EXPECT_THAT(data.parameters, ElementsAre(Parameter{"Ra", "0.235 um"}, Parameter{"RSm", "85.2 um"},
                                           Parameter{"RDq", "0.0612"}));
  EXPECT_EQ(Conditions(data),
            "CutOff=0.8mm|SamplingLengths=5|Profile=R|Filter=GAUSS|Standard=JIS 2001|"
            "LambdaS=2.5um|0.50 metric");
  EXPECT_EQ(data.pitch, 0.5);
  ASSERT_EQ(data.evaluation.size(), 50001u);
  EXPECT_EQ(data.evaluation[50001 / 3], -4.5);
  EXPECT_EQ(data.bac.size(), 200u);
  EXPECT_EQ(data.adc.size(), 200u);
  EXPECT_THAT(data.comments, ElementsAre("ワーク名", "", "", "", "サンプル", "", "", ""));
  EXPECT_EQ(data.layout, GraphLayout::BacAdc);

  // Other writers: the data-file converter puts one space after LS, the pitch as a plain number.
  kvtest::WriteLines(work_ / "Condition.csv", {"CUT ***", "L 4mm", "CUV P", "FIL 2CR",
                                               "STD ISO 1997", "LS 2.5um", "STP 0.5", "UNT 2"});
  kvtest::WriteLines(work_ / "Autoprint.INI", {"1", "1", "1", "1", "1"});  // five read as all "0"
  kvtest::WriteLines(work_ / "Comment.INI", {"Bauteil", "Prüfer"});        // UTF-8 stays as it is
  data = Read();
  EXPECT_EQ(Conditions(data),
            "CutOff=***|EvaluationLength=4mm|Profile=P|Filter=2CR|Standard=ISO 1997|"
            "LambdaS=2.5um|0.5 inch");
  EXPECT_EQ(data.layout, GraphLayout::Normal);
  EXPECT_THAT(data.comments, ElementsAre("Bauteil", "Prüfer", "", "", "", "", "", ""));
  // A W profile without cut-off: its lambda-f suffix alone.
  kvtest::WriteLines(work_ / "Condition.csv", {"-0.8mm", "N 5", "CUV W", "FIL GAUSS", "STD VDA",
                                               "LS  25um", "STP 5.00", "UNT 1"});
  EXPECT_EQ(Conditions(Read()),
            "CutOff=-0.8mm|SamplingLengths=5|Profile=W|Filter=GAUSS|Standard=VDA|LambdaS=25um|"
            "5.00 metric");
}

// The inch pitch rounds the metric one: points 1 µm apart are 39.37007874 µin
// apart, not 40. Comment.INI is free text: the first 8 lines, at most 256
// bytes of each (a character across byte 256 left out whole), from the first
// 64 KB; bytes that start no character of CP932 or UTF-8 show as U+FFFD.
TEST_F(CertificateDataTest, PitchIsExactAndCommentsAreCapped) {
  kvtest::WriteWorkingFolder(work_);
  // The inch table itself: tests/x3p/condition_units_test.cpp.
  const std::pair<std::string, double> pitches[] = {
      {"STP 0.50\r\nUNT 1", 0.5},
      {"STP 40.0\r\nUNT 2", 1000 / 25.4},
      {"STP 3937.00787\r\nUNT 2", 3937.00787}};  // beyond the table: exact µin already
  for (const auto& [lines, spacing] : pitches) {
    kvtest::WriteBytes(
        work_ / "Condition.csv",
        "CUT 0.8mm\r\nN 5\r\nCUV R\r\nFIL GAUSS\r\nSTD ISO 1997\r\nLS  2.5um\r\n" + lines + "\r\n");
    CertificateData data = Read();
    ASSERT_TRUE(data.pitch) << lines;
    EXPECT_DOUBLE_EQ(*data.pitch, spacing) << lines;
    EXPECT_EQ("STP " + data.pitchText, lines.substr(0, lines.find('\r')));  // as the file holds it
  }
  const std::string kana = "\xE3\x83\xAF", sjisKana = "\x83\x8F";  // "ワ" in UTF-8, CP932
  const std::pair<std::string, std::array<std::string, 8>> comments[] = {
      {"A\r\nB", {"A", "B", "", "", "", "", "", ""}},
      {"1\n2\r3\r\n4\n5\n6\n7\n8\n9\n", {"1", "2", "3", "4", "5", "6", "7", "8"}},
      {std::string(255, 'u') + kana + "\r\nB",
       {std::string(255, 'u'), "B", "", "", "", "", "", ""}},
      {std::string(255, 's') + sjisKana + "\r\nB",
       {std::string(255, 's'), "B", "", "", "", "", "", ""}},
      {std::string(254, 's') + sjisKana + sjisKana,
       {std::string(254, 's') + kana, "", "", "", "", "", "", ""}},
      {sjisKana + "\xFF\xA0x\r\n\x80",
       {kana + "\xEF\xBF\xBD\xEF\xBF\xBDx", "\xEF\xBF\xBD", "", "", "", "", "", ""}},
      {std::string(70000, 'a') + "\r\nB", {std::string(256, 'a'), "", "", "", "", "", "", ""}},
  };
  for (const auto& [bytes, lines] : comments) {
    kvtest::WriteBytes(work_ / "Comment.INI", bytes);
    EXPECT_EQ(Read().comments, lines) << bytes.substr(0, 20);
  }
}

TEST_F(CertificateDataTest, MissingOrDamagedFilesAreRefusedByName) {
  struct Case {
    std::string file;
    std::optional<std::string> content;  // none: the file is removed
    std::string message;                 // after "<file> in the working folder is damaged: "
  };
  const std::string condition = "CUT 0.8mm\r\nN 5\r\nCUV R\r\nFIL GAUSS\r\nSTD JIS 2001\r\n";
  std::vector<Case> cases = {
      {"Evaluation.csv", "0.1\r\n0.2\r\n0.1x\r\n", "line 3 is not a number: \"0.1x\"."},
      {"Graph_BAC.Csv", "1\r\nnan\r\n", "line 2 is not a number: \"nan\"."},
      {"Parameter.csv", "Ra     0.2 um\r\n\r\n", "line 2 is empty."},
      {"Condition.csv",
       "CUT 0.8mm\r\nN 5\r\nFIL GAUSS\r\nSTD JIS 2001\r\nLS  2.5um\r\nSTP 0.50\r\n"
       "UNT 1\r\nLNG J\r\n",
       "line 3 does not start with \"CUV\"."},
      {"Condition.csv", condition + "LS  2.5um\r\nSTP 0.50\r\nUNT 3\r\n",
       "line 8 is not \"UNT 1\" or \"UNT 2\": \"UNT 3\"."},
      {"Condition.csv", condition + "LS  2.5um\r\nSTP 0.50\r\nUNT 1\r\nLNG J\r\nLNG J\r\n",
       "line 10 is one too many."},
      // Whole-file refusals name the file themselves.
      {"Graph_BAC.Csv", "", "\"Graph_BAC.Csv\" in the working folder holds no values."},
      {"Condition.csv", condition,
       "\"Condition.csv\" in the working folder ends before its unit line (\"UNT 1\" or "
       "\"UNT 2\"): the unit of the measurement is unknown."},
  };
  for (std::string file : {"Parameter.csv", "Condition.csv", "Evaluation.csv", "Graph_BAC.Csv",
                           "Graph_ADC.Csv", "Comment.INI", "AutoPrint.INI"}) {
    cases.push_back(
        {file, std::nullopt,
         "\"" + file + "\" is missing from the working folder \"" + kvtest::kWorkFolder + "\"."});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file + ": " + c.message);
    kvtest::WriteWorkingFolder(work_);
    fs::remove(files_.drives().HostPath(kvtest::kWorkFolder + c.file));
    if (c.content) kvtest::WriteBytes(work_ / c.file, *c.content);
    auto data = ReadCertificateData(files_, kvtest::kWorkFolder);
    ASSERT_FALSE(data.ok());
    EXPECT_EQ(data.status().code(), c.content ? StatusCode::kBadFile : StatusCode::kFileError);
    const bool named = c.message.starts_with('"');
    EXPECT_EQ(data.status().description(),
              (named ? "" : "\"" + c.file + "\" in the working folder is damaged: ") + c.message);
  }
}

}  // namespace
}  // namespace kv
