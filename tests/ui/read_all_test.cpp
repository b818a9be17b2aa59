// SPDX-License-Identifier: GPL-3.0-or-later
// The read-all sequence and the certificate actions through the real window,
// against the simulator on its socket.
#include <gtest/gtest.h>
#include <QRadioButton>
#include <QTimer>

#include "ui/window_fixture.h"

namespace kv {
namespace {

using kvtest::ReadBytes;
using kvtest::WriteBytes;

class ReadAllTest : public WindowFixture {
 protected:
  // Start-up against a simulator with `config`, then the read-all.
  void ReadAllFrom(kvsim::Config config, bool setB = false) {
    ASSERT_EQ(Start(std::move(config)), StartupOutcome::Connected);
    if (setB) window->Option1[1]->click();
    read = Shown([&] { return window->Read_All_Data_Click(); });
  }

  // The command codes the simulator received, in order.
  std::vector<int> Commands() {
    std::vector<int> commands;
    for (const auto& frame : sim->controller.Requests()) {
      commands.push_back(frame.size() == 64 ? frame[6] | frame[7] << 8 : frame[5]);
    }
    return commands;
  }
  int Sent(int command) { return static_cast<int>(std::ranges::count(Commands(), command)); }

  Status read = Status::Ok();
};

TEST_F(ReadAllTest, ReadsTheWholeMeasurement) {
  ReadAllFrom({});
  ASSERT_TRUE(read.ok()) << read.description();
  EXPECT_EQ(messages, "");
  EXPECT_EQ(session->ReadFailed, 0);
  EXPECT_FALSE(std::filesystem::exists(Work("Graph_POW.Csv")));
  EXPECT_FALSE(std::filesystem::exists(Work("Measured.csv")));
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
  EXPECT_EQ(session->BlockCount, static_cast<std::int32_t>((set.graphs[0].size() + 9) / 10));
}

TEST_F(ReadAllTest, InchControllerAndSetB) {
  kvsim::Config config;
  config.unit = 1;
  ReadAllFrom(config, true);
  ASSERT_TRUE(read.ok());
  EXPECT_NE(ReadBytes(Work("Condition.csv")).find("CUV W"), std::string::npos);
  EXPECT_NE(ReadBytes(Work("Condition.csv")).find("UNT 2"), std::string::npos);
  EXPECT_EQ(ReadBytes(Work("Parameter.csv")).substr(0, 2), "Wa");
}

TEST_F(ReadAllTest, StatusIsResetOnceThenOnlyItsLowBitsCount) {
  struct Case {
    std::vector<std::uint16_t> statuses;
    bool fails;
  } cases[] = {{{0x0010, 0x0010}, false}, {{0x0010, 0}, false}, {{0x0003, 0x0003}, true}};
  for (const auto& c : cases) {
    kvsim::Config config;
    config.statuses = c.statuses;
    ReadAllFrom(config);
    EXPECT_EQ(Sent(0x2443), 2);
    EXPECT_EQ(session->ReadFailed, c.fails ? 1 : 0);
    EXPECT_EQ(Sent(0x7003) > 0, !c.fails);
    EXPECT_EQ(messages, c.fails ? "KV: " + window->LangText[19] + "\n" : "");
  }
}

TEST_F(ReadAllTest, OldFirmwareReadsOnlyTheSetTheControllerEvaluates) {
  struct Case {
    bool setB;
    std::uint8_t flag;
    int message;
    const char* entries;
  } cases[] = {
      {false, 1, 17, "0\r\n0\r\n"},
      {true, 0, 18, "0\r\n0\r\n"},
      {true, 1, 0, "1\r\n1\r\n"},
  };
  for (const auto& c : cases) {
    WriteBytes(Work("Autoprint.INI"), "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    kvsim::Config config;
    config.version = "Ver 1.101";
    config.evaluationFlag = c.flag;
    ReadAllFrom(config, c.setB);
    EXPECT_EQ(session->ReadFailed, c.message ? 1 : 0) << c.message;
    EXPECT_EQ(messages, c.message ? "KV: " + window->LangText[c.message] + "\n" : "");
    EXPECT_EQ(Sent(0x2440) > 0, c.message == 0);
    if (c.message) {
      EXPECT_EQ(ReadBytes(Work("Autoprint.INI")).substr(0, 6), c.entries);
    }
  }
}

TEST_F(ReadAllTest, NoDataLeavesLaterFilesAsTheyWere) {
  struct Case {
    std::optional<std::size_t> evaluationTotal;
    std::array<std::size_t, 3> graphTotals;
    bool newEvaluation;
  } cases[] = {{0, {51, 101, 256}, false}, {std::nullopt, {51, 0, 256}, true}};
  for (const auto& c : cases) {
    for (const char* file : {"Evaluation.csv", "Graph_BAC.Csv", "Graph_ADC.Csv"}) {
      WriteBytes(Work(file), "older\r\n");
    }
    kvsim::Config config;
    config.evaluationTotal = c.evaluationTotal;
    config.graphTotals = c.graphTotals;
    ReadAllFrom(config);
    EXPECT_EQ(messages, "KV: " + window->LangText[20] + "\n");
    EXPECT_EQ(session->ReadFailed, 1);
    EXPECT_EQ(ReadBytes(Work("Evaluation.csv")) != "older\r\n", c.newEvaluation);
    EXPECT_EQ(ReadBytes(Work("Graph_BAC.Csv")), "older\r\n");
    EXPECT_EQ(ReadBytes(Work("Graph_ADC.Csv")), "older\r\n");
    EXPECT_FALSE(ReadBytes(Work("Parameter.csv")).empty());
  }
}

TEST_F(ReadAllTest, CertificateActionsRunTheirMacrosOnTheChosenTemplate) {
  for (const char* name : {"KV_Certificate.xls", "KV_Certificate_Letter.xls"}) {
    std::filesystem::copy_file(std::filesystem::path(KV_WORKBOOKS_DIR) / name, app.path() / name,
                               std::filesystem::copy_options::overwrite_existing);
  }
  ReadAllFrom({});
  ASSERT_TRUE(read.ok());
  struct Case {
    Status (KV_Com::*action)();
    bool letter;
    std::string macro;  // after "CreateCertifcate", but for the language
  } cases[] = {
      {&KV_Com::SheetPrint_Click, false, "AutoPrint"},
      {&KV_Com::Preview_Click, true, "PrintPreview"},
      {&KV_Com::Export_Click, false, "SheetExport"},
      {&KV_Com::Language_Click, true, "ChangeLanguage"},
  };
  for (const auto& c : cases) {
    window->Option4[c.letter ? 1 : 0]->click();
    ran.clear();
    EXPECT_TRUE((window.get()->*c.action)().ok());
    const std::string book = c.letter ? " KV_Certificate_Letter.xls" : " KV_Certificate.xls";
    std::vector<std::string> expected{"CreateCertifcate" + book, c.macro + book};
    if (c.macro == "ChangeLanguage") expected.erase(expected.begin());
    EXPECT_EQ(ran, expected);
    EXPECT_TRUE(window->isEnabled());
  }
  EXPECT_EQ(ReadBytes(Work("Autoprint.INI")).substr(12, 1), "1");  // paper entry 4 stored
}

TEST_F(ReadAllTest, NoSecondActionStartsWhileAReadLetsEventsRun) {
  ASSERT_EQ(Start(), StartupOutcome::Connected);
  Status second = Status::Ok();
  // A click that arrives while the read lets window events run.
  QTimer::singleShot(0, window.get(), [&] { second = window->SheetPrint_Click(); });
  ASSERT_TRUE(window->Read_All_Data_Click().ok());
  EXPECT_FALSE(second.ok());
  EXPECT_TRUE(ran.empty());
  EXPECT_EQ(Sent(0x2440), 1);  // one sequence only
  std::filesystem::copy_file(KV_WORKBOOKS_DIR "/KV_Certificate.xls", Work("KV_Certificate.xls"),
                             std::filesystem::copy_options::overwrite_existing);
  window->Option2[1]->click();
  EXPECT_TRUE(window->SheetPrint_Click().ok());  // afterwards the button works again
  EXPECT_EQ(ran.size(), 2u);
}

TEST_F(ReadAllTest, PrintAfterAFailedReadOpensNoWorkbook) {
  kvsim::Config config;
  config.evaluationTotal = 0;
  ReadAllFrom(config);
  window->Option2[1]->click();  // manual output: no new read
  ran.clear();
  EXPECT_FALSE(window->SheetPrint_Click().ok());
  EXPECT_TRUE(ran.empty());
  EXPECT_EQ(session->CertificateBook, nullptr);
}

TEST_F(ReadAllTest, AMissingTemplateIsReportedAndThePreviewWindowComesBack) {
  ReadAllFrom({});
  std::filesystem::remove(Work("KV_Certificate.xls"));
  EXPECT_FALSE(Shown([&] { return window->Preview_Click(); }).ok());
  EXPECT_NE(messages.find("KV_Certificate.xls"), std::string::npos);
  EXPECT_TRUE(window->isEnabled());
  EXPECT_FALSE(window->isMinimized());
}

}  // namespace
}  // namespace kv
