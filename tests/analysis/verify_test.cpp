// SPDX-License-Identifier: GPL-3.0-or-later
// kvcom --read-all --verify against kv730-sim: the table on standard output
// and the exit status a script branches on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "child_process.h"
#include "sim_process.h"
#include "temp_folder.h"

namespace {

struct KvcomRun {
  int exitCode = -1;
  std::vector<std::string> lines;
  std::string errors;
};

// kv730-sim with `simArguments`, and kvcom with `arguments` against it.
KvcomRun RunAgainstSimulator(const std::vector<std::string>& simArguments,
                             const std::vector<std::string>& arguments) {
  kvtest::SimProcess sim(simArguments);
  EXPECT_FALSE(sim.device.empty());
  kvtest::TempFolder drive;
  kvtest::ChildProcess kvcom(KVCOM_PATH, arguments,
                             {"KV_DRIVE_C=" + drive.path().string(), "KV_USB=" + sim.device,
                              "KV_BATCH=1", "QT_QPA_PLATFORM=offscreen", "KV_USB_TIMEOUT_MS=2000"});
  KvcomRun run;
  while (auto line = kvcom.ReadLine()) run.lines.push_back(*line);
  run.exitCode = kvcom.Wait().value_or(-1);
  run.errors = kvcom.ErrorOutput();
  return run;
}

// The row of parameter `name`, or "".
std::string RowOf(const KvcomRun& run, const std::string& name) {
  for (const std::string& line : run.lines) {
    if (line.starts_with(name + " ")) return line;
  }
  return "";
}

const char* const kChecked[] = {"Ra", "Rq",  "Rz",  "Rp",  "Rv",  "Rt",
                                "Rc", "Rsk", "Rku", "RSm", "RDq", "Rmr"};

TEST(Verify, TheDefaultMeasurementAgrees) {
  const KvcomRun run = RunAgainstSimulator({}, {"--read-all", "--verify"});
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  ASSERT_EQ(run.lines.size(), 14U) << run.errors;
  EXPECT_EQ(run.lines.front().substr(0, 20), "Parameter Controller");
  for (const char* name : kChecked) {
    EXPECT_NE(RowOf(run, name), "") << name;
    EXPECT_EQ(RowOf(run, name).find("DIFFERS"), std::string::npos) << RowOf(run, name);
  }
  EXPECT_EQ(run.lines.back(), "All 12 parameters agree with the measured profile.");
}

TEST(Verify, AParameterTheControllerGotWrongFailsTheRun) {
  const KvcomRun run =
      RunAgainstSimulator({"--parameter-offset", "Ra=0.0010"}, {"--read-all", "--verify"});
  EXPECT_EQ(run.exitCode, 5) << run.errors;
  EXPECT_NE(RowOf(run, "Ra").find("DIFFERS"), std::string::npos) << RowOf(run, "Ra");
  EXPECT_EQ(RowOf(run, "Rq").find("DIFFERS"), std::string::npos) << RowOf(run, "Rq");
  ASSERT_FALSE(run.lines.empty());
  EXPECT_EQ(run.lines.back(), "1 of 12 parameters differ from the measured profile.");
}

TEST(Verify, InInchTheSameMeasurementAgrees) {
  const KvcomRun run = RunAgainstSimulator({"--unit", "1"}, {"--read-all", "--verify"});
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_NE(RowOf(run, "Ra").find(" uin"), std::string::npos) << RowOf(run, "Ra");
}

// Without the measured profile nothing is checked: the job fails and says why.
TEST(Verify, AMeasuredProfileThatCannotBeReadFailsTheJob) {
  const KvcomRun run =
      RunAgainstSimulator({"--profile-stops-after", "0"}, {"--read-all", "--verify"});
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_TRUE(run.lines.empty());
  EXPECT_NE(run.errors.find("kvcom: "), std::string::npos) << run.errors;
}

TEST(Verify, NeedsTheReadAll) {
  const KvcomRun run = RunAgainstSimulator({}, {"--verify"});
  EXPECT_EQ(run.exitCode, 64);
}

}  // namespace
