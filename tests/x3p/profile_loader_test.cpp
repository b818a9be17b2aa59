// SPDX-License-Identifier: GPL-3.0-or-later
#include "x3p/profile_loader.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace {

constexpr const char* kWork = "C:\\Tarnwick Corvanet\\KV-730\\";

struct ProfileLoaderTest : ::testing::Test {
  void Write(const std::string& name, const std::string& bytes) {
    kvtest::WriteBytes(drive.path() / "Tarnwick Corvanet" / "KV-730" / name, bytes);
  }
  void Age(const std::string& name, std::chrono::seconds age) {
    const auto path = drive.path() / "Tarnwick Corvanet" / "KV-730" / name;
    std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) - age);
  }
  void Conditions(const std::string& pitchAndUnit) {
    Write("Condition.csv",
          "CUT 0.8mm\r\nN  5\r\nCUV R\r\nFIL GAUSS\r\nSTD JIS 2001\r\n"
          "LS  2.5um\r\n" +
              pitchAndUnit + "\r\nLNG J\r\n");
  }
  kvtest::TempFolder drive;
  kv::FileSystem files{kv::DriveMap(drive.path())};
};

TEST_F(ProfileLoaderTest, MeasuredProfileInMetresAtThePitch) {
  Conditions("STP 0.50\r\nUNT 1");
  Write("Measured.csv", "1.25\r\n-1.2E-05\r\n0\r\n");
  auto profile = kv::LoadProfile(files, kWork, kv::ProfileKind::kMeasured);
  ASSERT_TRUE(profile.ok()) << profile.status().description();
  EXPECT_EQ(profile.value().kind, kv::ProfileKind::kMeasured);
  EXPECT_EQ(profile.value().heights, (std::vector<double>{1.25 / 1e6, -1.2e-5 / 1e6, 0}));
  EXPECT_EQ(profile.value().pitch, 0.5 / 1e6);
  const auto age = std::chrono::system_clock::now() - profile.value().taken;
  EXPECT_TRUE(age >= std::chrono::seconds(0) && age < std::chrono::hours(1));
}

// "Measured.csv" is in micrometres whatever the unit; the evaluation values
// follow the unit.
TEST_F(ProfileLoaderTest, InchEvaluationValuesAreMicroinches) {
  Conditions("STP 20.0\r\nUNT 2");
  Write("Evaluation.csv", "100\r\n-1\r\n");
  Write("Measured.csv", "100\r\n");
  auto evaluation = kv::LoadProfile(files, kWork, kv::ProfileKind::kEvaluation);
  ASSERT_TRUE(evaluation.ok()) << evaluation.status().description();
  EXPECT_EQ(evaluation.value().heights, (std::vector<double>{100 * 0.0254 / 1e6, -0.0254 / 1e6}));
  EXPECT_EQ(evaluation.value().pitch, 0.5 / 1e6);
  auto measured = kv::LoadProfile(files, kWork, kv::ProfileKind::kMeasured);
  ASSERT_TRUE(measured.ok());
  EXPECT_EQ(measured.value().heights, (std::vector<double>{100 / 1e6}));
}

// A measured profile left from an earlier measurement is not the current one.
TEST_F(ProfileLoaderTest, ExportTakesTheMeasuredProfileOnlyWhenItIsCurrent) {
  Conditions("STP 1.00\r\nUNT 1");
  Write("Evaluation.csv", "2\r\n");
  EXPECT_EQ(kv::LoadExportProfile(files, kWork).value().kind, kv::ProfileKind::kEvaluation);
  Write("Measured.csv", "1\r\n");
  EXPECT_EQ(kv::LoadExportProfile(files, kWork).value().kind, kv::ProfileKind::kMeasured);
  Age("Measured.csv", std::chrono::seconds(60));
  EXPECT_EQ(kv::LoadExportProfile(files, kWork).value().kind, kv::ProfileKind::kEvaluation);
}

TEST_F(ProfileLoaderTest, NamesTheMissingOrDamagedFile) {
  Write("Measured.csv", "1\r\n");
  EXPECT_EQ(kv::LoadProfile(files, kWork, kv::ProfileKind::kMeasured).status().description(),
            "\"Condition.csv\" is missing from the working folder \"" + std::string(kWork) + "\".");
  Conditions("STP 1.00\r\nUNT 1");
  Write("Measured.csv", "1\r\n2,5\r\n");
  EXPECT_EQ(kv::LoadProfile(files, kWork, kv::ProfileKind::kMeasured).status().description(),
            "\"Measured.csv\" in the working folder: line 2 is not a number: \"2,5\".");
  Write("Measured.csv", "");
  EXPECT_EQ(kv::LoadProfile(files, kWork, kv::ProfileKind::kMeasured).status().description(),
            "\"Measured.csv\" in the working folder holds no values.");
  EXPECT_EQ(
      kv::LoadProfile(files, kWork, kv::ProfileKind::kEvaluation).status().description(),
      "\"Evaluation.csv\" is missing from the working folder \"" + std::string(kWork) + "\".");
  std::filesystem::remove(drive.path() / "Tarnwick Corvanet" / "KV-730" / "Measured.csv");
  EXPECT_EQ(kv::LoadExportProfile(files, kWork).status().description(),
            "There is no profile to export: neither \"Measured.csv\" nor \"Evaluation.csv\" is "
            "in the working folder \"" +
                std::string(kWork) + "\".");
}

}  // namespace
