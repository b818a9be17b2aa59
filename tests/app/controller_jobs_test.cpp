// SPDX-License-Identifier: GPL-3.0-or-later
// The output mode, the print key, the service commands and the comment
// lines through the application, against the simulator on its socket.
#include <functional>

#include "app_fixture.h"

namespace kv {
namespace {

using kvtest::ReadBytes;
using kvtest::WriteBytes;
using ControllerJobsTest = AppFixture;

TEST_F(ControllerJobsTest, OutputModeSwitchesTheControllerBeforeTheChoiceIsSaved) {
  ASSERT_EQ(Start(), StartupOutcome::kConnected);
  struct Case {
    OutputMode mode;
    int controllerMode;
    const char* entry;
  } cases[] = {{OutputMode::kPrintKey, 1, "2"},
               {OutputMode::kPrintKey, 1, "2"},  // chosen twice: sent twice
               {OutputMode::kManual, 0, "1"},
               {OutputMode::kAutomatic, 0, "0"}};
  for (const auto& c : cases) {
    const std::size_t before = sim->controller.Requests().size();
    ASSERT_TRUE(application->SelectOutput(c.mode).ok());
    EXPECT_EQ(sim->controller.Requests().size(), before + 1);
    EXPECT_EQ(Commands().back(), 0x7011);
    EXPECT_EQ(sim->controller.OutputMode(), c.controllerMode);
    EXPECT_EQ(ReadBytes(Work("Autoprint.INI")).substr(6, 1), c.entry);
  }
  // A saved print-key output is restored on the controller at the next start.
  ASSERT_TRUE(application->SelectOutput(OutputMode::kPrintKey).ok());
  ASSERT_EQ(Start(), StartupOutcome::kConnected);
  EXPECT_EQ(sim->controller.OutputMode(), 1);
}

TEST_F(ControllerJobsTest, OnlyAPressedKeyCountsAndASilentPollIsNotAPress) {
  ASSERT_EQ(Start({.printKeyAfter = 2}), StartupOutcome::kConnected);
  EXPECT_FALSE(application->PrintKeyPressed());
  EXPECT_TRUE(application->PrintKeyPressed());
  EXPECT_FALSE(application->PrintKeyPressed());  // once per press
  sim->controller.SetConfig({.fault = kvsim::Fault::NoAnswer});
  EXPECT_FALSE(application->PrintKeyPressed());
}

TEST_F(ControllerJobsTest, EachServiceCommandSendsItsOneRequest) {
  ASSERT_EQ(Start({.evaluationFlag = 1}), StartupOutcome::kConnected);
  struct Case {
    const char* name;
    std::function<Status()> run;
    int command;
    const char* file;
  } cases[] = {
      {"Version", [&] { return application->ReadVersionText().status(); }, 'A', nullptr},
      {"SYS", [&] { return application->CheckControllerStatus(); }, 0x2440, nullptr},
      {"Address", [&] { return application->ReadEvaluationFlag().status(); }, 'M', nullptr},
      {"Start", [&] { return application->SendStart(); }, 0x2140, nullptr},
      {"Result", [&] { return application->ReadParameters(); }, 0x7003, "Parameter.csv"},
      {"Cond", [&] { return application->ReadConditions(); }, 0x7001, "Condition.csv"},
      {"M-Data", [&] { return application->ReadMeasuredProfile(); }, 0x2340, "Measured.csv"},
      {"E-Data", [&] { return application->ReadBearingAreaCurve(); }, 0x7005, "Graph_BAC.Csv"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(c.run().ok());
    EXPECT_EQ(Commands().back(), c.command);
    EXPECT_TRUE(!c.file || !ReadBytes(Work(c.file)).empty());
  }
  EXPECT_EQ(application->ReadVersionText().value().substr(0, 9), "Ver 1.103");
  EXPECT_EQ(application->ReadEvaluationFlag().value(), "1");

  sim->controller.SetConfig({.statuses = {0x0003}, .graphTotals = {51, 0, 256}});
  EXPECT_EQ(application->CheckControllerStatus().code(), StatusCode::kNotReady);
  EXPECT_EQ(application->ReadBearingAreaCurve().code(), StatusCode::kNoGraphData);
  EXPECT_EQ(application->NoticeOf(Status::Error(StatusCode::kNoMeasuredProfile, "")).text,
            application->session().texts[26]);
}

// The comment editor's read: at most 8 lines, 256 bytes of the first 64 KB.
// (Editing and saving them: tests/ui/window_test.cpp.)
TEST_F(ControllerJobsTest, CommentLinesOfBadFilesAreCapped) {
  ASSERT_EQ(Start(), StartupOutcome::kConnected);
  struct Case {
    std::string bytes;
    std::size_t lines;
    std::size_t firstLength;
  } cases[] = {
      {"a\r\nb\r\nc\r\n", 3, 1},
      {std::string(12, 'x') + "\r\n" + std::string(10, '\n'), 8, 12},
      {std::string(70'000, 'w'), 1, kCommentLineBytes},  // beyond the 64 KB read
  };
  for (const auto& c : cases) {
    WriteBytes(Work("Comment.INI"), c.bytes);
    const auto read = application->CommentLines();
    ASSERT_EQ(read.size(), c.lines);
    EXPECT_EQ(read[0].size(), c.firstLength);
  }
}

}  // namespace
}  // namespace kv
