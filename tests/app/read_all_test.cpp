// SPDX-License-Identifier: GPL-3.0-or-later
// The read-all and the certificate actions through the application, against
// the simulator on its real socket and real files in a temporary drive.
#include <algorithm>

#include "app_fixture.h"

namespace kv {
namespace {

using kvtest::ReadBytes;
using kvtest::WriteBytes;

class ReadAllTest : public AppFixture {
 protected:
  int Sent(int command) const { return static_cast<int>(std::ranges::count(Commands(), command)); }

  // Earlier result files, each with its own bytes.
  void WriteEarlierFiles() {
    for (const auto& name : kResultFiles) WriteBytes(Work(name), "earlier " + name + "\r\n");
  }
  bool EarlierFilesStay() const {
    return std::ranges::all_of(kResultFiles, [this](const std::string& name) {
      return ReadBytes(Work(name)) == "earlier " + name + "\r\n";
    });
  }
  // Replies the start-up (version, settings) and the read up to the
  // conditions (settings, status, parameter count and records) take.
  std::size_t RepliesBeforeEvaluation() const {
    return 2 + 2 + 1 + sim->controller.measurement().sets[0].parameterTexts.size() + 1;
  }
  // The same up to the middle of the ADC graph.
  std::size_t RepliesIntoTheAdcGraph() const {
    const auto& set = sim->controller.measurement().sets[0];
    return RepliesBeforeEvaluation() + 1 + (set.evaluation.size() + 9) / 10 + 1 +
           (set.graphs[1].size() + 9) / 10 + 1 + 2;
  }
};

TEST_F(ReadAllTest, ReadsTheWholeMeasurement) {
  ASSERT_EQ(Start(), StartupOutcome::kConnected);
  WriteEarlierFiles();
  ASSERT_TRUE(application->ReadAll().ok());
  EXPECT_FALSE(application->session().readFailed);
  for (const auto& name : kResultFiles) EXPECT_NE(ReadBytes(Work(name)).substr(0, 7), "earlier");
  EXPECT_FALSE(std::filesystem::exists(Work("Graph_POW.Csv")));
  EXPECT_FALSE(view.parameters.empty());
  // After start-up: settings, status, parameters, conditions, evaluation, BAC, ADC; nothing else.
  auto commands = Commands();
  std::vector<int> sequence(commands.begin() + 2, commands.end());
  const auto& set = sim->controller.measurement().sets[0];
  std::vector<int> expected{0x7001, 0x2440};
  expected.insert(expected.end(), 1 + set.parameterTexts.size(), 0x7003);
  expected.push_back(0x7001);
  expected.insert(expected.end(), 1 + (set.evaluation.size() + 9) / 10, 0x7004);
  expected.insert(expected.end(),
                  2 + (set.graphs[1].size() + 9) / 10 + (set.graphs[0].size() + 9) / 10, 0x7005);
  EXPECT_EQ(sequence, expected);
}

// Every way a read can fail leaves the earlier result files byte for byte,
// marks the read failed and clears the automatic start.
TEST_F(ReadAllTest, AFailedReadLeavesEveryEarlierFile) {
  struct Case {
    const char* what;
    kvsim::Config config;
    StatusCode code;
  } cases[] = {
      {"no evaluation data", {.evaluationTotal = 0}, StatusCode::kNoData},
      {"no ADC data", {.graphTotals = {0, 101, 256}}, StatusCode::kNoData},
      {"busy controller", {.statuses = {0x0003}}, StatusCode::kNotReady},
      {"old firmware on set B",
       {.version = "Ver 1.101", .evaluationFlag = 1},
       StatusCode::kControllerEvaluatesSetB},
      {"link dropped during the graphs", {}, StatusCode::kLinkFailed},
      {"zero bytes at the 100th evaluation reply", {}, StatusCode::kNoReply},
      {"controller stalls during the evaluation", {}, StatusCode::kNoReply},
      {"100 of 512 bytes", {}, StatusCode::kShortReply},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(Work("Autoprint.INI"), "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    ASSERT_EQ(Start(c.config, std::chrono::milliseconds(300)), StartupOutcome::kConnected);
    kvsim::Config faulty = c.config;
    if (c.code == StatusCode::kLinkFailed) faulty.dropAfter = RepliesIntoTheAdcGraph();
    if (c.code == StatusCode::kNoReply) {
      (std::string_view(c.what).starts_with("zero") ? faulty.zeroReplyAt : faulty.stallAt) =
          RepliesBeforeEvaluation() + 100;
    }
    if (c.code == StatusCode::kShortReply) {
      faulty.fault = kvsim::Fault::ShortAnswer;
      faulty.shortLength = 100;
    }
    sim->controller.SetConfig(faulty);
    WriteEarlierFiles();
    const Status read = application->ReadAll();
    EXPECT_EQ(read.code(), c.code) << read.description();
    EXPECT_TRUE(EarlierFilesStay());
    EXPECT_TRUE(application->session().readFailed);
    EXPECT_TRUE(view.parameters.empty());
    EXPECT_EQ(ReadBytes(Work("Autoprint.INI")).substr(0, 1), "0");
  }
}

// The last rename fails: the others are undone and no staged file is left.
TEST_F(ReadAllTest, AFileThatCannotBeReplacedLeavesTheOthers) {
  ASSERT_EQ(Start(), StartupOutcome::kConnected);
  WriteEarlierFiles();
  std::filesystem::remove(Work("Graph_ADC.Csv"));
  std::filesystem::create_directory(Work("Graph_ADC.Csv"));
  EXPECT_EQ(application->ReadAll().code(), StatusCode::kFileError);
  for (const auto& name : kResultFiles) {
    if (name == "Graph_ADC.Csv") continue;
    EXPECT_EQ(ReadBytes(Work(name)), "earlier " + name + "\r\n");
  }
  for (const auto& entry : std::filesystem::directory_iterator(Work(""))) {
    EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos);
  }
}

TEST_F(ReadAllTest, BusyControllerGetsOneStatusReset) {
  struct Case {
    std::vector<std::uint16_t> statuses;
    bool fails;
  } cases[] = {{{0x0010, 0x0010}, false}, {{0x0010, 0}, false}, {{0x0003, 0x0003}, true}};
  for (const auto& c : cases) {
    ASSERT_EQ(Start({.statuses = c.statuses}), StartupOutcome::kConnected);
    EXPECT_EQ(application->ReadAll().ok(), !c.fails);
    EXPECT_EQ(Sent(0x2443), 2);
    EXPECT_EQ(Sent(0x7003) > 0, !c.fails);
  }
}

TEST_F(ReadAllTest, OldFirmwareOnTheOtherSetKeepsTheSetTheControllerEvaluates) {
  WriteBytes(Work("Autoprint.INI"), "0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n");
  ASSERT_EQ(Start({.version = "Ver 1.101", .evaluationFlag = 0}), StartupOutcome::kConnected);
  const Status read = application->ReadAll();
  EXPECT_EQ(read.code(), StatusCode::kControllerEvaluatesSetA);
  EXPECT_EQ(application->NoticeOf(read).text, application->session().texts[18]);
  EXPECT_EQ(Sent(0x2440), 0);
  EXPECT_EQ(ReadBytes(Work("Autoprint.INI")).substr(0, 6), "0\r\n0\r\n");
}

TEST_F(ReadAllTest, AProfileThatStopsLeavesTheEarlierFile) {
  ASSERT_EQ(Start({.profileStopsAfter = 3}), StartupOutcome::kConnected);
  WriteBytes(Work("Measured.csv"), "earlier\r\n");
  EXPECT_FALSE(application->ReadMeasuredProfile().ok());
  EXPECT_EQ(ReadBytes(Work("Measured.csv")), "earlier\r\n");
}

TEST_F(ReadAllTest, CertificateActionsUseThePaperAndNeverAFailedRead) {
  ASSERT_EQ(Start(), StartupOutcome::kConnected);
  SavedChoices choices = application->choices();
  choices.paper = Paper::kLetter;
  application->Choose(choices);
  EXPECT_TRUE(application->Print().ok());  // automatic output: reads first
  EXPECT_TRUE(application->Preview().ok());
  EXPECT_TRUE(application->Export().ok());
  EXPECT_TRUE(application->SwitchCertificateLanguage().ok());
  EXPECT_EQ(certificate.actions, (std::vector<std::string>{"Print Letter", "Preview Letter",
                                                           "Export Letter", "Language Letter"}));
  EXPECT_EQ(Sent(0x2440), 1);
  EXPECT_EQ(ReadBytes(Work("Autoprint.INI")).substr(12, 1), "1");

  sim->controller.SetConfig({.evaluationTotal = 0});
  EXPECT_EQ(application->Print().code(), StatusCode::kNoData);
  choices.output = OutputMode::kManual;
  application->Choose(choices);
  EXPECT_FALSE(application->Print().ok());  // the files are not of the last read
  EXPECT_EQ(certificate.actions.size(), 4u);
}

}  // namespace
}  // namespace kv
