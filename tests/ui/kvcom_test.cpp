// SPDX-License-Identifier: GPL-3.0-or-later
// The program as a script or an operator starts it: kvcom against kv730-sim.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <thread>

#include "child_process.h"
#include "platform/instance_lock.h"
#include "sim_process.h"
#include "temp_folder.h"

namespace {

const std::vector<std::string> kResultFiles = {"Parameter.csv", "Condition.csv", "Evaluation.csv",
                                               "Graph_BAC.Csv", "Graph_ADC.Csv"};

using Simulator = kvtest::SimProcess;

struct KvcomTest : ::testing::Test {
  // Runs kvcom headless with `arguments`; `errors` keeps what it wrote to stderr.
  int RunKvcom(const std::string& device, std::vector<std::string> arguments = {"--start-only"}) {
    kvtest::ChildProcess kvcom(KVCOM_PATH, arguments, Environment(device));
    int exitCode = kvcom.Wait().value_or(-1);
    errors = kvcom.ErrorOutput();
    return exitCode;
  }
  std::vector<std::string> Environment(const std::string& device,
                                       std::filesystem::path c = {}) const {
    return {"KV_DRIVE_C=" + (c.empty() ? drive.path() : c).string(), "KV_USB=" + device,
            "KV_BATCH=1", "QT_QPA_PLATFORM=offscreen", "KV_USB_TIMEOUT_MS=1000"};
  }
  std::map<std::string, std::string> ResultFiles(const std::filesystem::path& folder = {}) const {
    std::map<std::string, std::string> files;
    for (const auto& name : kResultFiles) {
      files[name] = kvtest::ReadBytes(folder.empty() ? Work(name) : folder / name);
    }
    return files;
  }
  std::filesystem::path Work(const std::string& name) const {
    return drive.path() / "Tarnwick Corvanet" / "KV-730" / name;
  }
  kvtest::TempFolder drive;
  std::string errors;
};

TEST_F(KvcomTest, MainJobReadsAndExportsTheCertificate) {
  Simulator sim({"--unit", "1"});
  ASSERT_FALSE(sim.device.empty());
  EXPECT_EQ(RunKvcom(sim.device, {"--read-all", "--export"}), 0);
  EXPECT_EQ(kvtest::ReadBytes(Work("Version.INI")),
            "Ver 1.103" + std::string(43, '\0') + "\r\n1\r\n");
  const auto earlier = ResultFiles();
  for (const auto& [name, bytes] : earlier) EXPECT_FALSE(bytes.empty()) << name;
  int pdfs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(Work(""))) {
    pdfs += entry.path().extension() == ".pdf" &&
            entry.path().filename().string().starts_with("Certificate_");
  }
  EXPECT_EQ(pdfs, 1);
  // A controller that stops answering fails the job, and the files stay.
  Simulator silent({"--unit", "1", "--stall-at", "40"});
  EXPECT_EQ(RunKvcom(silent.device, {"--read-all", "--export"}), 3);
  EXPECT_NE(errors.find("did not answer"), std::string::npos) << errors;
  EXPECT_EQ(ResultFiles(), earlier);
  // Offline nothing can be read: the job fails, the window program would have opened.
  EXPECT_EQ(RunKvcom("", {"--read-all", "--export"}), 3);
}

// A run killed at any point of a long read leaves the earlier measurement or
// the new one, once the next start has finished what it left.
TEST_F(KvcomTest, KilledReadLeavesOneWholeMeasurement) {
  Simulator first({"--seed", "1"});
  ASSERT_EQ(RunKvcom(first.device, {"--read-all"}), 0);
  const auto earlier = ResultFiles();
  std::set<int> outcomes;
  for (int milliseconds : {100, 700, 1400, 2100, 5000}) {
    Simulator slow({"--seed", "2", "--points", "20001", "--reply-delay-ms", "1"});
    {
      kvtest::ChildProcess kvcom(KVCOM_PATH, {"--read-all"}, Environment(slow.device));
      std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
      kvcom.Signal(SIGKILL);
      kvcom.Wait();
    }
    ASSERT_EQ(RunKvcom("", {"--start-only"}), 0);  // the offline window
    const auto after = ResultFiles();
    int same = 0;
    for (const auto& name : kResultFiles) same += after.at(name) == earlier.at(name);
    EXPECT_TRUE(same == 0 || same == 5)
        << same << " files of the earlier set after " << milliseconds << " ms";
    outcomes.insert(same);
    for (const auto& entry : std::filesystem::directory_iterator(Work(""))) {
      EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos);
    }
  }
  EXPECT_EQ(outcomes, (std::set<int>{0, 5}));  // killed before the end, and after it
}

// Bad input and broken surroundings: a clear message naming the cause, the
// exit status of the job asked for, and every earlier file as it was.
TEST_F(KvcomTest, BadInputIsRefusedWithItsCauseAndLosesNothing) {
  const std::filesystem::path data = drive.path() / "data";
  std::filesystem::create_directories(data);
  const std::string m1 = (data / "M1.TXT").string();
  kvtest::ChildProcess writer(KV730_SIM_PATH, {"--points", "401", "--write-data-file", m1});
  ASSERT_EQ(writer.Wait(), 0);
  ASSERT_EQ(::mkfifo((data / "FIFO.TXT").c_str(), 0600), 0);
  kvtest::WriteBytes(data / "HUGE.TXT", "// Ver.1\n" + std::string(20'000'000, '1'));
  kvtest::WriteBytes(data / "NOTDATA.TXT", "Ra;0.1;um;\n");
  struct Case {
    const char* what;
    std::function<void()> prepare;
    std::vector<std::string> arguments;
    int exitCode;
    const char* says;
  } cases[] = {
      {"not a data file", [] {}, {"--import", (data / "NOTDATA.TXT").string()}, 3, "KV data file"},
      {"a missing data file", [] {}, {"--import", (data / "NO.TXT").string()}, 3, "KV data file"},
      {"a FIFO as the data file",
       [] {},
       {"--import", (data / "FIFO.TXT").string()},
       3,
       "not a file"},
      {"a data file beyond any valid size",
       [] {},
       {"--import", (data / "HUGE.TXT").string()},
       3,
       "is larger than"},
      {"no such set", [] {}, {"--import", m1, "--set", "C"}, 64, "Usage"},
      {"a settings file beyond its size",
       [&] { kvtest::WriteBytes(Work("Version.INI"), std::string(100'000, 'V')); },
       {"--start-only"},
       1,
       "Please confirm the connection"},
      {"a saved automatic start, set B",
       [&] { kvtest::WriteBytes(Work("Autoprint.INI"), "1\r\n"); },
       {"--import", m1, "--set", "B"},
       0,
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    kvtest::WriteBytes(Work("Version.INI"), "Ver 1.103\r\n1\r\n");
    for (const auto& name : kResultFiles) kvtest::WriteBytes(Work(name), "earlier\r\n");
    c.prepare();
    const auto before = ResultFiles();
    EXPECT_EQ(RunKvcom("", c.arguments), c.exitCode) << errors;
    EXPECT_NE(errors.find(c.says), std::string::npos) << errors;
    EXPECT_EQ(ResultFiles() == before, c.exitCode != 0);
  }
  EXPECT_EQ(kvtest::ReadBytes(Work("Parameter.csv")).substr(0, 2), "Wa");  // set B
  EXPECT_NE(kvtest::ReadBytes(Work("Graph_BAC.Csv")).find("0\r\n"), std::string::npos);
  // Another copy on the same drive, by another spelling of its path, says so.
  kv::InstanceLock running;
  ASSERT_TRUE(running.Acquire(drive.path()));
  kvtest::ChildProcess second(KVCOM_PATH, {"--start-only"}, Environment("", drive.path() / "."));
  EXPECT_EQ(second.Wait(), 2);
  EXPECT_NE(second.ErrorOutput().find("Another kvcom is already working"), std::string::npos);
}

// A full disk fails the read with its cause and keeps the earlier files; a
// working folder the user may not write names the file it could not write.
TEST_F(KvcomTest, AFullDiskOrAReadOnlyFolderIsNamed) {
  const std::filesystem::path small = drive.path() / "small";
  std::filesystem::create_directories(small);
  if (std::system(
          ("mount -t tmpfs -o size=64k tmpfs '" + small.string() + "' 2>/dev/null").c_str()) != 0) {
    GTEST_SKIP() << "no small disk can be mounted here";
  }
  const std::filesystem::path work = small / "Tarnwick Corvanet" / "KV-730";
  kvtest::WriteBytes(work / "Version.INI", "Ver 1.103\r\n1\r\n");
  kvtest::WriteBytes(work / "KV_Certificate.xls", "an earlier run's template");
  for (const auto& name : kResultFiles) kvtest::WriteBytes(work / name, "earlier\r\n");
  const auto earlier = ResultFiles(work);
  Simulator sim({});
  kvtest::ChildProcess full(KVCOM_PATH, {"--read-all"}, Environment(sim.device, small));
  EXPECT_EQ(full.Wait(), 3);
  errors = full.ErrorOutput();
  EXPECT_NE(errors.find("No space left on device"), std::string::npos) << errors;
  EXPECT_EQ(ResultFiles(work), earlier);

  // The same folder, read-only to an unprivileged user.
  std::filesystem::permissions(
      drive.path(), std::filesystem::perms::others_read | std::filesystem::perms::others_exec,
      std::filesystem::perm_options::add);
  std::filesystem::remove(work / "Version.INI");
  kvtest::ChildProcess readOnly(
      "/usr/bin/setpriv",
      {"--reuid=65534", "--regid=65534", "--clear-groups", KVCOM_PATH, "--start-only"},
      Environment(sim.device, small));
  readOnly.Wait();
  std::system(("umount '" + small.string() + "'").c_str());
  errors = readOnly.ErrorOutput();
  EXPECT_NE(errors.find("Version.INI"), std::string::npos) << errors;
}

}  // namespace
