// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up against the simulator on its socket, with real files in a
// temporary drive.
#include "app_fixture.h"

namespace kv {
namespace {

using kvtest::ReadBytes;
using kvtest::WriteBytes;
using StartupTest = AppFixture;

TEST_F(StartupTest, FirmwareDecidesWhereTheLanguageComesFrom) {
  struct Case {
    const char* version;
    bool memoryRead;
    bool printKeyOutput;
  } cases[] = {
      {"Ver 1.101", true, false},
      {"Ver 1.102", false, false},
      {"Ver 1.103", false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version);
    WriteBytes(Work("Autoprint.INI"), "0\r\n0\r\n2\r\n0\r\n0\r\n0\r\n");  // print-key output saved
    ASSERT_EQ(Start({.version = c.version, .language = 2}), StartupOutcome::kConnected);
    EXPECT_EQ(application->session().settings.LanguageIndex, 2);
    // After the version frame: a memory read, or the settings (0x7001).
    EXPECT_EQ(Commands().at(1), c.memoryRead ? 'M' : 0x7001);
    EXPECT_EQ(application->PrintKeyOutputAvailable(), c.printKeyOutput);
    // The version as received, with the controller's NUL padding.
    EXPECT_EQ(ReadBytes(Work("Version.INI")),
              std::string(c.version) + std::string(43, '\0') + "\r\n2\r\n");
    // Written back with the output the firmware allows, and the comments in English.
    EXPECT_EQ(ReadBytes(Work("Autoprint.INI")).substr(6, 1), c.printKeyOutput ? "2" : "1");
    EXPECT_EQ(ReadBytes(Work("Comment.INI")).substr(0, 11), "Work Name\r\n");
    EXPECT_EQ(application->session().texts[45], "Beenden");
  }
}

TEST_F(StartupTest, OfflineStartNeedsAStoredVersionInRange) {
  struct Case {
    const char* versionIni;
    StartupOutcome outcome;
  } cases[] = {
      {nullptr, StartupOutcome::kNoController},  // the first run: no Version.INI
      {"Ver 0.999\r\n1\r\n", StartupOutcome::kNoController},
      {"Ver 1.000\r\n1\r\n", StartupOutcome::kOffline},
      {"Ver 5.000\r\n16\r\n", StartupOutcome::kOffline},
      {"Ver 5.001\r\n1\r\n", StartupOutcome::kNoController},
      {"Ver 1.102\r\n17\r\n", StartupOutcome::kNoController},
      {"Ver 1.102\r\n-1\r\n", StartupOutcome::kNoController},
      {"Ver1.00\r\n", StartupOutcome::kNoController},
  };
  for (const auto& c : cases) {
    if (c.versionIni) WriteBytes(Work("Version.INI"), c.versionIni);
    EXPECT_EQ(StartOffline(), c.outcome) << (c.versionIni ? c.versionIni : "none");
    EXPECT_TRUE(c.versionIni || std::filesystem::exists(Work("Comment.INI")));  // recovered
  }
}

TEST_F(StartupTest, OfflineKeepsTheChoicesButTheAutomaticStartAndOutput) {
  WriteBytes(Work("Version.INI"), "Ver 1.102\r\n1\r\n");
  WriteBytes(Work("Autoprint.INI"), "1\r\n1\r\n0\r\n2\r\n1\r\n0\r\n");
  ASSERT_EQ(StartOffline(), StartupOutcome::kOffline);
  EXPECT_EQ(ReadBytes(Work("Autoprint.INI")), "0\r\n1\r\n1\r\n2\r\n1\r\n0\r\n");
  EXPECT_EQ(application->session().ControllerVersion, "Ver 1.102");
  EXPECT_FALSE(application->PrintKeyOutputAvailable());
  EXPECT_EQ(application->ReadAll().code(), StatusCode::kOffline);
}

// A controller that opens but does not answer, or answers without a version,
// is no controller: the version a connected run stored stays.
TEST_F(StartupTest, SilentControllerKeepsTheStoredVersion) {
  struct Case {
    kvsim::Config config;
    std::chrono::milliseconds timeout;
  } cases[] = {
      {{.fault = kvsim::Fault::NoAnswer}, kDefaultReplyTimeout},
      {{.fault = kvsim::Fault::ShortAnswer, .shortLength = 12}, kDefaultReplyTimeout},
      {{.stallAt = 1}, std::chrono::milliseconds(200)},
      {{.dropAfter = 1}, kDefaultReplyTimeout},
  };
  for (auto& c : cases) {
    WriteBytes(Work("Version.INI"), "Ver 1.103\r\n1\r\n");
    EXPECT_EQ(Start(c.config, c.timeout), StartupOutcome::kOffline);
    EXPECT_EQ(ReadBytes(Work("Version.INI")), "Ver 1.103\r\n1\r\n");
    EXPECT_FALSE(application->session().offlineCause.ok());
  }
}

TEST_F(StartupTest, FailedStartUpStepTakesTheOfflinePath) {
  WriteBytes(drive.path() / "Tarnwick Corvanet", "a file where the folder belongs");
  EXPECT_EQ(Start(), StartupOutcome::kNoController);
  EXPECT_EQ(ReadBytes(drive.path() / "Tarnwick Corvanet"), "a file where the folder belongs");

  std::filesystem::remove(drive.path() / "Tarnwick Corvanet");
  WriteBytes(Work("Version.INI"), "Ver 1.102\r\n1\r\n");
  std::filesystem::remove(program.path() / "Language.xls");
  EXPECT_EQ(Start(), StartupOutcome::kOffline);
}

TEST_F(StartupTest, TemplatesAreCopiedOnlyWithoutTheA4One) {
  ASSERT_EQ(Start(), StartupOutcome::kConnected);
  EXPECT_EQ(ReadBytes(Work("KV_Certificate.xls")), "A4 template");
  EXPECT_EQ(ReadBytes(Work("KV_Certificate_Letter.xls")), "Letter template");
  WriteBytes(Work("KV_Certificate.xls"), "operator's own template");
  std::filesystem::remove(Work("KV_Certificate_Letter.xls"));
  ASSERT_EQ(Start(), StartupOutcome::kConnected);
  EXPECT_EQ(ReadBytes(Work("KV_Certificate.xls")), "operator's own template");
  EXPECT_FALSE(std::filesystem::exists(Work("KV_Certificate_Letter.xls")));
}

TEST_F(StartupTest, SecondInstanceEndsAtOnce) {
  InstanceLock first;
  ASSERT_TRUE(first.Acquire(drive.path().string()));
  EXPECT_EQ(Start(), StartupOutcome::kAnotherInstance);
  EXPECT_TRUE(sim->controller.Requests().empty());
  EXPECT_FALSE(std::filesystem::exists(drive.path() / "Tarnwick Corvanet"));
}

}  // namespace
}  // namespace kv
