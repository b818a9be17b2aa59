// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/data_file_writer.h"

#include <gtest/gtest.h>

#include "child_process.h"
#include "temp_folder.h"

namespace kvsim {
namespace {

std::string DataFile(const char* name) {
  return kvtest::ReadBytes(std::filesystem::path(KV_DATAFILE_DIR) / name);
}

// The data section: from the first "CalcData" marker on.
std::string DataSection(const std::string& bytes) {
  return bytes.substr(bytes.find("CalcData"));
}

TEST(DataFileWriterTest, TheSimulatorWritesTheTestDataFiles) {
  struct Case {
    const char* name;
    std::vector<std::string> options;
    DataFileLayout layout;
  } cases[] = {
      {"METRIC.TXT", {}, {}},
      {"INCH.TXT", {"--data-file-unit", "inch"}, {.inch = true}},
      {"CRLF.TXT", {"--data-file-line-ends", "crlf"}, {.crLf = true}},
  };
  kvtest::TempFolder folder;
  for (const auto& c : cases) {
    const std::string path = (folder.path() / c.name).string();
    std::vector<std::string> arguments{"--points",          "401", "--cutoff-code", "1",
                                       "--write-data-file", path};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    kvtest::ChildProcess sim(KV730_SIM_PATH, arguments);
    ASSERT_EQ(sim.Wait(), 0) << c.name;
    // When the simulator's measurement changes, tests/datafile/data/generate.sh
    // writes the files anew.
    EXPECT_EQ(kvtest::ReadBytes(path), DataFile(c.name)) << c.name;
    Config config;
    config.points = 401;
    config.cutoffCode = 1;
    config.unit = c.layout.inch ? 1 : 0;
    EXPECT_EQ(DataFileBytes(Measure(config), c.layout), DataFile(c.name)) << c.name;
  }
}

TEST(DataFileWriterTest, InchFilesKeepTheirPointsInMicrometres) {
  const std::string metric = DataFile("METRIC.TXT");
  // The points stay in micrometres in an inch file.
  EXPECT_EQ(DataSection(DataFile("INCH.TXT")).substr(0, 5000), DataSection(metric).substr(0, 5000));
  EXPECT_NE(DataFile("INCH.TXT").find("Lc;0.003;in;\n"), std::string::npos);
  EXPECT_NE(metric.find("Ra;0.0889;\xB5m;\n"), std::string::npos);
  EXPECT_NE(metric.find("Rdq;"), std::string::npos);  // the controller's small delta
}

TEST(DataFileWriterTest, TheOptionsAreChecked) {
  kvtest::TempFolder folder;
  struct Case {
    std::vector<std::string> arguments;
    int exitCode;
  } cases[] = {
      {{"--write-data-file", (folder.path() / "none" / "X.TXT").string()}, 1},
      {{"--write-data-file", (folder.path() / "X.TXT").string(), "--data-file-unit", "mm"}, 2},
      {{"--write-data-file", (folder.path() / "X.TXT").string(), "--data-file-line-ends", "cr"}, 2},
      {{"--write-data-file", ""}, 2},
  };
  for (const auto& c : cases) {
    kvtest::ChildProcess sim(KV730_SIM_PATH, c.arguments);
    EXPECT_EQ(sim.Wait(), c.exitCode) << c.arguments[1];
  }
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "X.TXT"));
}

TEST(DataFileWriterTest, EveryProfileWritesTheKeysOfItsConditions) {
  struct Case {
    std::uint8_t profile;
    std::uint8_t samplingCount;
    std::string keys;
  } cases[] = {
      {0, 5, "Profile;P;\nL;0.8;mm;\nN;5;\n"},
      {0, 0, "Profile;P;\nL;4;mm;\n"},
      {1, 5, "Profile;R;\nLc;0.8;mm;\nN;5;\n"},
      {2, 0, "Profile;W;\nLc;0.8;mm;\nLf;NONE;\nL;4;mm;\n"},
      {3, 5, "Profile;DF;\nLc;0.8;mm;\nN;5;\n"},
      {4, 5, "Profile;R-Motif;\nA;0.10;mm;\nL;3.2;mm;\n"},
      {5, 0, "Profile;W-Motif;\nA;0.10;mm;\nB;0.50;mm;\nL;3.2;mm;\n"},
  };
  for (const auto& c : cases) {
    Measurement m;
    m.sets[0].conditions = GaussianConditions(3, 3);
    m.sets[0].conditions.profile = c.profile;
    m.sets[0].conditions.samplingCount = c.samplingCount;
    m.sets[0].conditions.evaluationLength = 4;
    const std::string bytes = DataFileBytes(m, {});
    EXPECT_EQ(bytes.substr(0, bytes.find("Filter")),
              "// Ver.1.103 KV-730\n// A Condition\n" + c.keys)
        << c.keys;
  }
}

}  // namespace
}  // namespace kvsim
