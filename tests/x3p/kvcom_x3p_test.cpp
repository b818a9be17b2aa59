// SPDX-License-Identifier: GPL-3.0-or-later
// The X3P export as a script runs it: kvcom against kv730-sim, checked by an
// independent reader of the file.
#include <gtest/gtest.h>

#include <filesystem>

#include "child_process.h"
#include "sim_process.h"
#include "temp_folder.h"

namespace {

struct KvcomX3pTest : ::testing::Test {
  // Runs `program` to its end; keeps what it printed.
  int Run(const std::string& program, const std::vector<std::string>& arguments,
          const std::vector<std::string>& environment = {}) {
    kvtest::ChildProcess child(program, arguments, environment);
    output.clear();
    while (auto line = child.ReadLine()) output += *line + "\n";
    const int exitCode = child.Wait().value_or(-1);
    errors = child.ErrorOutput();
    return exitCode;
  }
  int RunKvcom(const std::string& device, const std::vector<std::string>& arguments) {
    return Run(KVCOM_PATH, arguments,
               {"KV_DRIVE_C=" + drive.path().string(), "KV_USB=" + device, "KV_BATCH=1",
                "QT_QPA_PLATFORM=offscreen", "KV_USB_TIMEOUT_MS=1000"});
  }
  std::filesystem::path Work(const std::string& name) const {
    return drive.path() / "Tarnwick Corvanet" / "KV-730" / name;
  }
  kvtest::TempFolder drive;
  kvtest::TempFolder out;
  std::string output;
  std::string errors;
};

using Simulator = kvtest::SimProcess;

// Inch, so the pitch comes from the rounded inch line "STP 20.0" (0.5 µm).
TEST_F(KvcomX3pTest, WritesTheMeasuredProfileAnIndependentReaderAccepts) {
  Simulator sim({"--unit", "1", "--pitch-code", "2", "--points", "3001", "--seed", "7"});
  ASSERT_FALSE(sim.device.empty());
  const std::string file = (out.path() / "profile.x3p").string();
  ASSERT_EQ(RunKvcom(sim.device, {"--read-all", "--measured-profile", "--x3p", file}), 0) << errors;
  EXPECT_EQ(output, file + "\n");
  EXPECT_NE(kvtest::ReadBytes(Work("Condition.csv")).find("STP 20.0\r\n"), std::string::npos);
  ASSERT_EQ(Run(KV_PYTHON3, {KV_CHECK_X3P, file, Work("Measured.csv").string(), "0.5"}), 0)
      << output;
  EXPECT_EQ(output, "ok\n");
  // The independent reader does find a wrong pitch.
  ASSERT_EQ(Run(KV_PYTHON3, {KV_CHECK_X3P, file, Work("Measured.csv").string(), "0.508"}), 1);
  EXPECT_NE(output.find("x increment 5e-07, not"), std::string::npos) << output;
}

TEST_F(KvcomX3pTest, FailsNamingTheFileAndLeavesNoPartOfIt) {
  Simulator sim({"--points", "401"});
  ASSERT_FALSE(sim.device.empty());
  const std::string missingFolder = (out.path() / "missing" / "profile.x3p").string();
  EXPECT_EQ(RunKvcom(sim.device, {"--read-all", "--measured-profile", "--x3p", missingFolder}), 3);
  EXPECT_NE(errors.find("The X3P file \"" + missingFolder + "\" was not written"),
            std::string::npos)
      << errors;
  EXPECT_TRUE(std::filesystem::exists(Work("Measured.csv")));  // the read itself succeeded
  // A fresh working folder has no "Condition.csv" and so no pitch.
  kvtest::TempFolder fresh;
  const std::string file = (out.path() / "profile.x3p").string();
  const int exitCode = Run(KVCOM_PATH, {"--measured-profile", "--x3p", file},
                           {"KV_DRIVE_C=" + fresh.path().string(), "KV_USB=" + sim.device,
                            "KV_BATCH=1", "QT_QPA_PLATFORM=offscreen"});
  EXPECT_EQ(exitCode, 3);
  EXPECT_NE(errors.find("\"Condition.csv\" is missing"), std::string::npos) << errors;
  EXPECT_TRUE(std::filesystem::is_empty(out.path())) << "a partial or temporary file was left";
  EXPECT_EQ(RunKvcom(sim.device, {"--read-all", "--x3p", file}), 64);
}

}  // namespace
