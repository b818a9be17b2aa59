// SPDX-License-Identifier: GPL-3.0-or-later
#include "datafile/data_file_conversion.h"

#include <algorithm>

#include "import_fixture.h"
#include "sim/data_file_writer.h"

namespace kv {
namespace {

std::string DataFile(const char* name) {
  return kvtest::ReadBytes(std::filesystem::path(KV_DATAFILE_DIR) / name);
}

// `text` with its first `from` replaced by `to`.
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

const char* const kResultFiles[] = {"Parameter.csv", "Evaluation.csv", "Condition.csv"};

class DataFileImportTest : public kvtest::ImportFixture {
 protected:
  // Converts and commits as an import does; the message of a refusal.
  int Import(const std::string& bytes) {
    stage.Clear();
    int message = ConvertDataFile(Lines(bytes), context);
    EXPECT_TRUE(stage.Commit(files, settings.WorkFolder).ok());
    return message;
  }

  void WriteEarlierResults() {
    for (const char* name : kResultFiles)
      kvtest::WriteBytes(Work(name), std::string("old ") + name);
  }

  void ExpectEarlierResults(const std::string& what) {
    for (const char* name : kResultFiles) {
      EXPECT_EQ(kvtest::ReadBytes(Work(name)), std::string("old ") + name) << what;
    }
  }
};

TEST_F(DataFileImportTest, AFileReplacesAllThreeResultFiles) {
  WriteEarlierResults();
  ASSERT_EQ(Import(DataFile("METRIC.TXT")), kDataFileConverted);
  const std::string parameters = kvtest::ReadBytes(Work("Parameter.csv"));
  EXPECT_EQ(parameters.substr(0, 17), "Ra     0.0889um\r\n");
  EXPECT_EQ(std::count(parameters.begin(), parameters.end(), '\n'), 16);
  const std::string evaluation = kvtest::ReadBytes(Work("Evaluation.csv"));
  EXPECT_EQ(std::count(evaluation.begin(), evaluation.end(), '\n'), 321);
  EXPECT_EQ(kvtest::ReadBytes(Work("Condition.csv")),
            "CUT 0.08mm\r\nN 4\r\nCUV R\r\nFIL GAUSS\r\nSTD ISO 1997\r\nLS 2.5um\r\nSTP 1\r\n"
            "UNT 1\r\nLNG E\r\n");
  EXPECT_EQ(settings.UnitSetting, 1);
  EXPECT_EQ(view.conditions, (std::array<std::string, 5>{"ISO 1997", "R", "GAUSS", "4", "0.08mm"}));

  settings.EvaluationSelection = 1;
  ASSERT_EQ(Import(DataFile("INCH.TXT")), kDataFileConverted);
  EXPECT_EQ(settings.UnitSetting, 2);
  EXPECT_EQ(kvtest::ReadBytes(Work("Condition.csv")),
            "CUT 0.003in-NONE\r\nL 0.013in\r\nCUV W\r\nFIL GAUSS\r\nSTD ISO 1997\r\nLS 100uin\r\n"
            "STP 40.0\r\nUNT 2\r\nLNG E\r\n");
}

TEST_F(DataFileImportTest, ACrLfFileConvertsAsTheSameFileWithLfEnds) {
  for (std::int16_t set : {0, 1}) {
    settings.EvaluationSelection = set;
    ASSERT_EQ(Import(DataFile("METRIC.TXT")), kDataFileConverted);
    std::vector<std::string> lf;
    for (const char* name : kResultFiles) lf.push_back(kvtest::ReadBytes(Work(name)));
    const std::string lfView = view.parameters;
    ASSERT_EQ(Import(DataFile("CRLF.TXT")), kDataFileConverted);
    for (std::size_t i = 0; i < lf.size(); ++i) {
      EXPECT_EQ(kvtest::ReadBytes(Work(kResultFiles[i])), lf[i]) << kResultFiles[i];
    }
    EXPECT_EQ(view.parameters, lfView);
  }
}

// What converts of a refused file never reaches the working folder: no new
// "Parameter.csv" beside the earlier measurement's other files.
TEST_F(DataFileImportTest, ARefusedFileLeavesEveryEarlierResultFile) {
  const std::string metric = DataFile("METRIC.TXT");
  std::string moreResults = "// A CalcResult\n";
  for (int i = 0; i < 52; ++i) moreResults += "R" + std::to_string(i) + ";1;\xB5m;\n";
  struct Case {
    const char* what;
    std::string bytes;
    int message;
  } cases[] = {
      {"empty", "", kNoResultSection},
      {"binary", std::string("\0\xFF\x83\n\xB5;;\r\x01", 9), kNoResultSection},
      {"without markers",
       [&] {
         std::string text = metric;
         std::replace(text.begin(), text.end(), '/', '#');
         return text;
       }(),
       kNoResultSection},
      {"more than 51 results", Replaced(metric, "// A CalcResult\n", moreResults),
       kNoResultSection},
      {"lone CR line ends",
       [&] {
         std::string text = metric;
         std::replace(text.begin(), text.end(), '\n', '\r');
         return text;
       }(),
       kNoDataSection},
      {"truncated in the results", metric.substr(0, metric.find("Rku")), kNoDataSection},
      {"truncated in the data", metric.substr(0, metric.find("// A CalcData") + 200),
       kNoDataSection},
      {"no data section", Replaced(metric, "// A CalcData", "// A Calc Data"), kNoDataSection},
      {"empty value", Replaced(metric, "\n2.000;", "\n2.000;;"), kNoDataSection},
      {"value not a number", Replaced(metric, "\n3.000;", "\n3.000;abc"), kNoDataSection},
      {"count not whole", Replaced(metric, "\n321\n", "\n321.5\n"), kNoDataSection},
      {"very long value",
       Replaced(metric, "\n4.000;", "\n4.000;" + std::string(1 << 20, '7') + "x"), kNoDataSection},
      {"no profile", Replaced(metric, "Profile;R;", "Profil;R;"), kConditionsNotConverted},
      {"no cut-off", Replaced(metric, "Lc;0.08;mm;", "Lc 0.08 mm"), kConditionsNotConverted},
      {"unknown profile", Replaced(metric, "Profile;R;", "Profile;X;"), kConditionsNotConverted},
  };
  for (const auto& c : cases) {
    WriteEarlierResults();
    view.conditions = {"untouched"};
    EXPECT_EQ(Import(c.bytes), c.message) << c.what;
    ExpectEarlierResults(c.what);
    EXPECT_EQ(view.conditions[0], "untouched") << c.what;
  }
  // A file that holds more lines than the list is not read at all.
  EXPECT_FALSE(DataLinesFromBytes(metric + std::string(70000, '\n'), kPcFileLines).ok());
}

TEST_F(DataFileImportTest, TheCallerAddsFilesToTheImportBeforeItIsCommitted) {
  WriteEarlierResults();
  ASSERT_EQ(ConvertDataFile(Lines(DataFile("METRIC.TXT")), context), kDataFileConverted);
  ExpectEarlierResults("before the commit");
  stage.Add("Graph_BAC.Csv", "0\r\n");
  ASSERT_TRUE(stage.Commit(files, settings.WorkFolder).ok());
  EXPECT_EQ(kvtest::ReadBytes(Work("Graph_BAC.Csv")), "0\r\n");
  EXPECT_EQ(kvtest::ReadBytes(Work("Parameter.csv")), Staged("Parameter.csv"));
}

TEST_F(DataFileImportTest, ACommitThatCannotWriteEveryFileWritesNone) {
  WriteEarlierResults();
  ASSERT_EQ(ConvertDataFile(Lines(DataFile("METRIC.TXT")), context), kDataFileConverted);
  stage.Add("missing folder\\Graph_ADC.Csv", "0\r\n");  // cannot be written
  EXPECT_FALSE(stage.Commit(files, settings.WorkFolder).ok());
  ExpectEarlierResults("failed commit");
}

// A 50,001-point evaluation of set A; set B short enough for the PC's list.
kvsim::Measurement LargeMeasurement(std::size_t pointsOfB) {
  kvsim::Config config;
  config.points = kvsim::kMaxPoints;
  kvsim::Measurement measurement = kvsim::Measure(config);
  measurement.sets[0].evaluation = measurement.measured;
  measurement.sets[1].evaluation.resize(pointsOfB);
  return measurement;
}

TEST_F(DataFileImportTest, AFiftyThousandPointEvaluationConverts) {
  const std::string bytes = kvsim::DataFileBytes(LargeMeasurement(1000), {});
  ASSERT_EQ(Import(bytes), kDataFileConverted);
  const std::string evaluation = kvtest::ReadBytes(Work("Evaluation.csv"));
  EXPECT_EQ(std::count(evaluation.begin(), evaluation.end(), '\n'), 50001);
  // Both sets that long fill more lines than either list holds.
  const std::string both = kvsim::DataFileBytes(LargeMeasurement(50001), {});
  EXPECT_FALSE(DataLinesFromBytes(both, kPcFileLines).ok());
  EXPECT_FALSE(DataLinesFromBytes(both, kControllerFileLines).ok());
}

}  // namespace
}  // namespace kv
