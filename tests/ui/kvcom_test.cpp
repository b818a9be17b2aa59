// SPDX-License-Identifier: GPL-3.0-or-later
// The program as a script or an operator starts it: kvcom against kv730-sim.
#include <gtest/gtest.h>

#include "child_process.h"
#include "platform/instance_lock.h"
#include "temp_folder.h"

namespace {

struct KvcomTest : ::testing::Test {
  // Runs kvcom headless with `arguments`.
  int RunKvcom(const std::string& device, std::vector<std::string> arguments = {"--start-only"}) {
    kvtest::ChildProcess kvcom(KVCOM_PATH, arguments,
                               {"KV_DRIVE_C=" + drive.path().string(), "KV_USB=" + device,
                                "KV_BATCH=1", "QT_QPA_PLATFORM=offscreen"});
    int exitCode = kvcom.Wait().value_or(-1);
    errors = kvcom.ErrorOutput();
    return exitCode;
  }
  std::filesystem::path Work(const std::string& name) const {
    return drive.path() / "Tarnwick Corvanet" / "KV-730" / name;
  }
  kvtest::TempFolder drive;
  std::string errors;
};

TEST_F(KvcomTest, MainJobReadsAndExportsTheCertificate) {
  kvtest::ChildProcess sim(KV730_SIM_PATH, {"--port", "0", "--unit", "1"});
  const std::string listening = sim.ReadLine().value_or("");
  ASSERT_TRUE(listening.starts_with("listening on ")) << listening;
  EXPECT_EQ(RunKvcom("tcp:127.0.0.1:" + listening.substr(13), {"--read-all", "--export"}), 0);
  EXPECT_EQ(kvtest::ReadBytes(Work("Version.INI")),
            "Ver 1.103" + std::string(43, '\0') + "\r\n1\r\n");
  for (const char* file :
       {"Parameter.csv", "Condition.csv", "Evaluation.csv", "Graph_BAC.Csv", "Graph_ADC.Csv"}) {
    EXPECT_FALSE(kvtest::ReadBytes(Work(file)).empty()) << file;
  }
  int pdfs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(Work(""))) {
    pdfs += entry.path().extension() == ".pdf" &&
            entry.path().filename().string().starts_with("Certificate_");
  }
  EXPECT_EQ(pdfs, 1);
  // Offline nothing can be read: the job fails, the window program would have opened.
  EXPECT_EQ(RunKvcom("", {"--read-all", "--export"}), 3);
}

TEST_F(KvcomTest, ScriptImportsADataFileWithoutTheWindow) {
  kvtest::WriteBytes(Work("Version.INI"), "Ver 1.103\r\n1\r\n");  // a controller ran here once
  std::filesystem::path file = drive.path() / "M1.TXT";
  kvtest::ChildProcess writer(KV730_SIM_PATH,
                              {"--points", "401", "--write-data-file", file.string()});
  ASSERT_EQ(writer.Wait(), 0);
  kvtest::WriteBytes(drive.path() / "NOTDATA.TXT", "Ra;0.1;um;\n");
  struct Case {
    std::vector<std::string> arguments;
    int exitCode;
    const char* says;
  } cases[] = {
      {{"--import", (drive.path() / "NOTDATA.TXT").string()}, 3, "KV data file"},
      {{"--import", (drive.path() / "missing.TXT").string()}, 3, "KV data file"},
      {{"--import", file.string(), "--set", "C"}, 64, "Usage"},
      {{"--import", file.string(), "--set", "B"}, 0, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunKvcom("", c.arguments), c.exitCode) << c.arguments[1];
    EXPECT_NE(errors.find(c.says), std::string::npos) << errors;
    EXPECT_EQ(std::filesystem::exists(Work("Evaluation.csv")), c.exitCode == 0);
  }
  EXPECT_EQ(kvtest::ReadBytes(Work("Parameter.csv")).substr(0, 2), "Wa");  // set B
  EXPECT_NE(kvtest::ReadBytes(Work("Graph_BAC.Csv")).find("0\r\n"), std::string::npos);
}

TEST_F(KvcomTest, EndsWithoutControllerOrWhenAlreadyRunning) {
  EXPECT_EQ(RunKvcom(""), 1);  // no stored version: the message, then the end
  kvtest::WriteBytes(Work("Version.INI"), "Ver 1.102\r\n1\r\n");
  EXPECT_EQ(RunKvcom(""), 0);  // offline window
  kv::InstanceLock running;
  ASSERT_TRUE(running.Acquire(drive.path().string()));
  EXPECT_EQ(RunKvcom(""), 2);
}

}  // namespace
