// SPDX-License-Identifier: GPL-3.0-or-later
// The reply readers against the simulator on its socket, into real files.
#include <gtest/gtest.h>

#include <cmath>

#include "results/block_reader.h"
#include "results/conditions_reader.h"
#include "results/number_text.h"
#include "results/parameters_reader.h"
#include "results/profile_reader.h"
#include "sim_fixture.h"
#include "temp_folder.h"

namespace kv {
namespace {

// The window's displays as the readers leave them.
struct RecordingView : ResultsView {
  void ShowParameters(const std::string& text) override { parameters = text; }
  void ShowConditions(const std::array<std::string, 5>& texts) override { conditions = texts; }
  void ShowConditionCaption(int label, int number) override { captions[label - 3] = number; }
  void ShowProgress(int maximum) override { progress.push_back(-maximum); }
  void SetProgress(int value) override { progress.push_back(value); }
  void HideProgress() override { progressHidden = true; }

  std::string parameters;
  std::array<std::string, 5> conditions;
  std::array<int, 2> captions{};
  std::vector<int> progress;
  bool progressHidden = false;
};

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find("\r\n", start);
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

class ReadersTest : public ::testing::Test {
 protected:
  explicit ReadersTest(kvsim::Config config = {}) { Connect(std::move(config)); }

  void Connect(kvsim::Config config) {
    sim = std::make_unique<kvtest::SimOverSocket>(std::move(config));
    link = std::make_unique<Link>(*sim->transport);
    ASSERT_EQ(link->Open(), 0);
    settings.VersionNumber = 1103;
    std::filesystem::create_directories(drive.path() / "W");
    settings.WorkFolder = "C:\\W\\";
  }
  ReaderContext Context() { return {*link, settings, files, view, blockCount}; }
  std::vector<std::string> File(const char* name) {
    return Lines(kvtest::ReadBytes(drive.path() / "W" / name));
  }
  const kvsim::EvaluationSet& Set(int set) { return sim->controller.measurement().sets[set]; }
  std::size_t Requests(std::uint16_t command) {
    std::size_t count = 0;
    for (const auto& frame : sim->controller.Requests()) {
      count += frame.size() == 64 && frame[6] == (command & 0xFF) && frame[7] == command >> 8;
    }
    return count;
  }

  kvtest::TempFolder drive;
  FileSystem files{DriveMap(drive.path())};
  ProcessSettings settings;
  RecordingView view;
  std::int32_t blockCount = 0;
  std::unique_ptr<kvtest::SimOverSocket> sim;
  std::unique_ptr<Link> link;
};

// The controller's record text as the file shows it, worked out apart from the reader.
std::string Expected(std::string text) {
  for (auto [from, to] :
       {std::pair{"\x83\xA2", "D"}, {"\x83\xC2q", "Dq"}, {"\x83\xC2", "d"}, {"\x83\xC9", "L"}}) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from)) {
      text.replace(at, std::string_view(from).size(), to);
    }
  }
  auto space = text.find(' ');
  return text.substr(0, space) + std::string(7 - space, ' ') + text.substr(space + 1);
}

TEST_F(ReadersTest, ParametersOfEitherSet) {
  for (int set : {0, 1}) {
    settings.EvaluationSelection = static_cast<std::int16_t>(set);
    ReaderContext context = Context();
    ASSERT_TRUE(ReadParameters(context).ok());
    std::vector<std::string> expected;
    for (const auto& text : Set(set).parameterTexts) expected.push_back(Expected(text));
    EXPECT_EQ(File("Parameter.csv"), expected) << set;
    EXPECT_EQ(File("Parameter.csv")[0].substr(0, 7), set == 0 ? "Ra     " : "Wa     ");
    EXPECT_TRUE(view.parameters.ends_with("\r\n\r\n"));
  }
  settings.VersionNumber = 1101;  // old firmware cannot choose the set
  ReaderContext context = Context();
  ASSERT_TRUE(ReadParameters(context).ok());
  EXPECT_EQ(File("Parameter.csv")[0].substr(0, 2), "Ra");
}

TEST_F(ReadersTest, ConditionsOfEitherSetInEitherUnit) {
  struct Case {
    int set;
    bool inch;
    std::vector<std::string> lines;
    std::array<std::string, 5> boxes;
  } cases[] = {
      {0,
       false,
       {"CUT 0.8mm", "N 5", "CUV R", "FIL GAUSS", "STD ISO 1997", "LS  2.5um", "STP 1.00", "UNT 1",
        "LNG E"},
       {"ISO 1997", "R", "GAUSS", "5", "0.8mm"}},
      {0,
       true,
       {"CUT 0.03in", "N 5", "CUV R", "FIL GAUSS", "STD ISO 1997", "LS  100uin", "STP 40.0",
        "UNT 2", "LNG E"},
       {"ISO 1997", "R", "GAUSS", "5", "0.03in"}},
      {1,
       false,
       {"CUT 0.8mm-NONE", "L  4mm", "CUV W", "FIL GAUSS", "STD ISO 1997", "LS  2.5um", "STP 1.00",
        "UNT 1", "LNG E"},
       {"ISO 1997", "W", "GAUSS", " 4mm", "0.8mm-NONE"}},
      {1,
       true,
       {"CUT 0.03in-NONE", "L 0.157in", "CUV W", "FIL GAUSS", "STD ISO 1997", "LS  100uin",
        "STP 40.0", "UNT 2", "LNG E"},
       {"ISO 1997", "W", "GAUSS", "0.157in", "0.03in-NONE"}},
  };
  for (const auto& c : cases) {
    settings.EvaluationSelection = static_cast<std::int16_t>(c.set);
    settings.LanguageIndex = 1;
    view.captions = {};
    ReaderContext context = Context();
    ASSERT_TRUE((c.inch ? ReadConditionsInch(context) : ReadConditionsMetric(context)).ok());
    EXPECT_EQ(File("Condition.csv"), c.lines) << c.set << c.inch;
    EXPECT_EQ(view.conditions, c.boxes) << c.set << c.inch;
    EXPECT_EQ(view.captions[0], c.set == 1 ? 29 : 0);  // "L" in line 1: evaluation length
  }
}

TEST_F(ReadersTest, EvaluationDataHasExactlyTheValuesTheControllerCounts) {
  struct Case {
    std::optional<std::size_t> total;
    std::size_t lines;
    std::size_t blockRequests;
  } cases[] = {{std::nullopt, 4001, 401},
               {1234, 1234, 124},
               {1236, 1236, 124},
               {3, 3, 1},
               {10, 10, 1},
               {0, 0, 0}};
  for (const auto& c : cases) {
    kvsim::Config config;
    config.evaluationTotal = c.total;
    Connect(config);
    view = {};
    kvtest::WriteBytes(drive.path() / "W" / "Evaluation.csv", "previous\r\n");
    ReaderContext context = Context();
    auto blocks = ReadEvaluationData(context);
    ASSERT_TRUE(blocks.ok());
    EXPECT_EQ(blocks.value(), static_cast<std::int16_t>(c.blockRequests));
    EXPECT_EQ(Requests(0x7004), 1 + c.blockRequests);
    if (c.lines == 0) {
      EXPECT_EQ(File("Evaluation.csv"), std::vector<std::string>{"previous"});
      continue;
    }
    const auto& values = Set(0).evaluation;
    std::vector<std::string> expected;
    for (std::size_t i = 0; i < c.lines; ++i) expected.push_back(GeneralNumberText(values[i]));
    EXPECT_EQ(File("Evaluation.csv"), expected);
    EXPECT_EQ(blockCount, static_cast<std::int32_t>(c.blockRequests));
    EXPECT_EQ(view.progress.front(), -static_cast<int>(c.blockRequests));
    EXPECT_EQ(view.progress.back(), static_cast<int>(c.blockRequests) - 1);
    EXPECT_TRUE(view.progressHidden);
  }
}

TEST_F(ReadersTest, InchValuesAreMicroinches) {
  settings.UnitSetting = 1;
  settings.EvaluationSelection = 1;
  ReaderContext context = Context();
  ASSERT_TRUE(ReadEvaluationData(context).ok());
  auto lines = File("Evaluation.csv");
  const auto& values = Set(1).evaluation;
  ASSERT_EQ(lines.size(), values.size());
  for (std::size_t i = 0; i < values.size(); i += 97) {
    EXPECT_EQ(lines[i], GeneralNumberText(values[i] / 25.4 * 1000)) << i;
  }
}

TEST_F(ReadersTest, GraphsByType) {
  struct Case {
    std::int16_t type;
    const char* file;
  } cases[] = {{0, "Graph_ADC.Csv"}, {1, "Graph_BAC.Csv"}, {2, "Graph_POW.Csv"}};
  for (const auto& c : cases) {
    ReaderContext context = Context();
    auto blocks = ReadGraphData(context, c.type);
    ASSERT_TRUE(blocks.ok());
    const auto& values = Set(0).graphs[static_cast<std::size_t>(c.type)];
    ASSERT_EQ(File(c.file).size(), values.size()) << c.file;
    EXPECT_EQ(File(c.file).back(), GeneralNumberText(values.back())) << c.file;
  }
  ReaderContext context = Context();
  EXPECT_FALSE(ReadGraphData(context, 3).ok());
}

TEST_F(ReadersTest, MeasuredProfileToItsEndMark) {
  ReaderContext context = Context();
  auto count = ReadMeasuredProfile(context);
  ASSERT_TRUE(count.ok());
  const auto& measured = sim->controller.measurement().measured;
  EXPECT_EQ(count.value(), static_cast<std::int32_t>(measured.size()));
  auto lines = File("Measured.csv");
  ASSERT_EQ(lines.size(), measured.size());
  EXPECT_EQ(lines[0], GeneralNumberText(measured[0]));
  EXPECT_EQ(lines.back(), GeneralNumberText(measured.back()));
}

TEST_F(ReadersTest, MeasuredProfileFaultsKeepThePreviousFile) {
  struct Case {
    std::size_t recordsPerReply;
    std::optional<std::size_t> stopsAfter;
    bool ok;
    const char* says;
  } cases[] = {
      {16, std::nullopt, true, ""},
      {17, std::nullopt, false, "at most 16"},
      {15, 3, false, "stopped answering"},
  };
  for (const auto& c : cases) {
    kvsim::Config config;
    config.recordsPerReply = c.recordsPerReply;
    config.profileStopsAfter = c.stopsAfter;
    Connect(config);
    kvtest::WriteBytes(drive.path() / "W" / "Measured.csv", "previous\r\n");
    ReaderContext context = Context();
    auto count = ReadMeasuredProfile(context);
    EXPECT_EQ(count.ok(), c.ok) << c.recordsPerReply;
    if (c.ok) {
      EXPECT_EQ(File("Measured.csv").size(), sim->controller.measurement().measured.size());
      continue;
    }
    EXPECT_NE(count.status().description().find(c.says), std::string::npos);
    EXPECT_NE(count.status().description().find("Measured.csv"), std::string::npos);
    EXPECT_EQ(File("Measured.csv"), std::vector<std::string>{"previous"});
    EXPECT_TRUE(view.progressHidden);
  }
}

TEST_F(ReadersTest, ShortRepliesReadAsNothing) {
  kvsim::Config config;
  config.fault = kvsim::Fault::ShortAnswer;
  config.shortLength = 8;
  Connect(config);
  kvtest::WriteBytes(drive.path() / "W" / "Evaluation.csv", "previous\r\n");
  ReaderContext context = Context();
  ASSERT_TRUE(ReadParameters(context).ok());
  EXPECT_EQ(kvtest::ReadBytes(drive.path() / "W" / "Parameter.csv"), "");
  EXPECT_EQ(view.parameters, "\r\n");
  auto blocks = ReadEvaluationData(context);
  ASSERT_TRUE(blocks.ok());
  EXPECT_EQ(blocks.value(), 0);
  EXPECT_EQ(File("Evaluation.csv"), std::vector<std::string>{"previous"});
  ASSERT_TRUE(ReadConditionsMetric(context).ok());
  EXPECT_EQ(File("Condition.csv")[0], "CUT ***");  // all codes read as 0: P in length mode
  EXPECT_FALSE(ReadMeasuredProfile(context).ok());
}

}  // namespace
}  // namespace kv
