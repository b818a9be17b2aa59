// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up through the real window (offscreen), the simulator on its socket
// and real files in a temporary drive.
#include "app/startup.h"

#include <gtest/gtest.h>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "ui/window_fixture.h"

namespace kv {
namespace {

using kvtest::ReadBytes;
using kvtest::WriteBytes;
using StartupTest = WindowFixture;

TEST_F(StartupTest, FirmwareDecidesWhereTheLanguageComesFrom) {
  struct Case {
    const char* version;
    bool memoryRead;
    bool printKeyOption;
  } cases[] = {
      {"Ver 1.101", true, false},
      {"Ver 1.102", false, false},
      {"Ver 1.103", false, true},
  };
  for (const auto& c : cases) {
    kvsim::Config config;
    config.version = c.version;
    config.language = 2;
    WriteBytes(Work("Autoprint.INI"), "0\r\n0\r\n2\r\n0\r\n0\r\n0\r\n");  // print-key output saved
    ASSERT_EQ(Start(config), StartupOutcome::Connected) << c.version;
    EXPECT_EQ(session->settings.LanguageIndex, 2) << c.version;
    EXPECT_EQ(session->OfflineMode, 0);
    EXPECT_EQ(window->Label4->text(), c.version);
    EXPECT_TRUE(window->Read_All_Data->isVisibleTo(window.get()));
    // After the version frame: a memory read, or the settings (0x7001).
    const std::vector<std::uint8_t> second = sim->controller.Requests().at(1);
    EXPECT_EQ(c.memoryRead ? second[5] : second[6] | second[7] << 8, c.memoryRead ? 'M' : 0x7001);
    EXPECT_EQ(window->Option2[2]->isVisibleTo(window.get()), c.printKeyOption) << c.version;
    EXPECT_EQ(window->Option2[c.printKeyOption ? 2 : 1]->isChecked(), true) << c.version;
    EXPECT_EQ(ReadBytes(Work("Version.INI")).substr(0, 9), c.version);
    // Written back with the output the firmware allows, and the comments in English.
    EXPECT_EQ(ReadBytes(Work("Autoprint.INI")).substr(6, 1), c.printKeyOption ? "2" : "1");
    EXPECT_EQ(ReadBytes(Work("Comment.INI")).substr(0, 11), "Work Name\r\n");
  }
}

TEST_F(StartupTest, OfflineStartNeedsAStoredVersionInRange) {
  struct Case {
    const char* versionIni;
    StartupOutcome outcome;
  } cases[] = {
      {"Ver 0.999\r\n1\r\n", StartupOutcome::NoController},
      {"Ver 1.000\r\n1\r\n", StartupOutcome::Offline},
      {"Ver 5.000\r\n16\r\n", StartupOutcome::Offline},
      {"Ver 5.001\r\n1\r\n", StartupOutcome::NoController},
      {"Ver 1.102\r\n17\r\n", StartupOutcome::NoController},
      {"Ver 1.102\r\n-1\r\n", StartupOutcome::NoController},
      {"Ver1.00\r\n", StartupOutcome::NoController},
  };
  for (const auto& c : cases) {
    WriteBytes(Work("Version.INI"), c.versionIni);
    EXPECT_EQ(StartOffline(), c.outcome) << c.versionIni;
    bool refused = c.outcome == StartupOutcome::NoController;
    EXPECT_EQ(messages.find("KV: Please confirm the connection with KV controller.") == 0, refused)
        << c.versionIni << messages;
    EXPECT_EQ(session->OfflineMode, refused ? 0 : 1);
  }
}

TEST_F(StartupTest, OfflineWindowWithdrawsTheControllerFunctions) {
  WriteBytes(Work("Version.INI"), "Ver 1.102\r\n1\r\n");
  WriteBytes(Work("Autoprint.INI"), "1\r\n1\r\n0\r\n2\r\n1\r\n0\r\n");
  ASSERT_EQ(StartOffline(), StartupOutcome::Offline);
  EXPECT_FALSE(window->Read_All_Data->isVisibleTo(window.get()));
  EXPECT_FALSE(window->Frame2->isEnabled());
  EXPECT_TRUE(window->Option2[1]->isChecked());
  EXPECT_FALSE(window->Option2[2]->isEnabled());
  EXPECT_TRUE(window->Option3[1]->isChecked());
  EXPECT_EQ(window->Label4->text(), "Ver 1.102");
  EXPECT_EQ(messages.substr(0, 3), "KV:");
  // The automatic start is cleared and manual output chosen; the other choices stay.
  EXPECT_EQ(ReadBytes(Work("Autoprint.INI")), "0\r\n1\r\n1\r\n2\r\n1\r\n0\r\n");
}

TEST_F(StartupTest, FirstRunWithoutControllerRecoversTheFolderAndEnds) {
  ASSERT_EQ(StartOffline(), StartupOutcome::NoController);
  EXPECT_EQ(messages, "KV: Please confirm the connection with KV controller.\n");
  EXPECT_EQ(ReadBytes(Work("Comment.INI")).substr(0, 8), "\x83\x8F\x81\x5B\x83\x4E\x96\xBC");
  EXPECT_FALSE(std::filesystem::exists(Work("Autoprint.INI")));
  EXPECT_FALSE(std::filesystem::exists(Work("Version.INI")));
}

TEST_F(StartupTest, FailedStartUpStepTakesTheOfflinePath) {
  WriteBytes(drive.path() / "Tarnwick Corvanet", "a file where the folder belongs");
  EXPECT_EQ(Start(), StartupOutcome::NoController);
  EXPECT_EQ(ReadBytes(drive.path() / "Tarnwick Corvanet"), "a file where the folder belongs");

  std::filesystem::remove(drive.path() / "Tarnwick Corvanet");
  WriteBytes(Work("Version.INI"), "Ver 1.102\r\n1\r\n");
  EXPECT_EQ(Start(kvsim::Config{}, NoSpreadsheet()), StartupOutcome::Offline);
}

TEST_F(StartupTest, TemplatesAreCopiedOnlyWithoutTheA4One) {
  ASSERT_EQ(Start(), StartupOutcome::Connected);
  EXPECT_EQ(ReadBytes(Work("KV_Certificate.xls")), "A4 template");
  EXPECT_EQ(ReadBytes(Work("KV_Certificate_Letter.xls")), "Letter template");
  WriteBytes(Work("KV_Certificate.xls"), "operator's own template");
  std::filesystem::remove(Work("KV_Certificate_Letter.xls"));
  ASSERT_EQ(Start(), StartupOutcome::Connected);
  EXPECT_EQ(ReadBytes(Work("KV_Certificate.xls")), "operator's own template");
  EXPECT_FALSE(std::filesystem::exists(Work("KV_Certificate_Letter.xls")));
}

TEST_F(StartupTest, AutomaticStartReadsAndEnds) {
  WriteBytes(Work("AUTOPRINT.INI"), "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
  EXPECT_EQ(Start(), StartupOutcome::AutoReadDone);
  EXPECT_FALSE(ReadBytes(Work("Evaluation.csv")).empty());
  EXPECT_EQ(ReadBytes(Work("AUTOPRINT.INI")).substr(0, 1), "1");  // kept after a good read

  // A failed automatic read shows its message in words, and clears the automatic start.
  kvsim::Config config;
  config.evaluationTotal = 0;
  EXPECT_EQ(Start(config), StartupOutcome::AutoReadDone);
  EXPECT_EQ(messages, "KV: " + window->LangText[20] + "\n");
  EXPECT_GT(window->LangText[20].size(), 10u);
  EXPECT_EQ(ReadBytes(Work("AUTOPRINT.INI")).substr(0, 1), "0");
}

TEST_F(StartupTest, SecondInstanceEndsAtOnce) {
  InstanceLock first;
  ASSERT_TRUE(first.Acquire(drive.path().string()));
  EXPECT_EQ(Start(), StartupOutcome::AnotherInstance);
  EXPECT_EQ(messages, "");
  EXPECT_TRUE(sim->controller.Requests().empty());
  EXPECT_FALSE(std::filesystem::exists(drive.path() / "Tarnwick Corvanet"));
}

}  // namespace
}  // namespace kv
