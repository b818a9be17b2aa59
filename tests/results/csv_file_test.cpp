// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/csv_file.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace kv {
namespace {

TEST(CsvFileTest, OnlyTheFirstCommaOfALineBecomesAPoint) {
  LineList lines{"1,5", "1,5,7", "-0.25", "", "a,b"};
  CommaToPoint(lines, ",", ".");
  EXPECT_EQ(lines, (LineList{"1.5", "1.5,7", "-0.25", "", "a.b"}));
}

TEST(CsvFileTest, WritesUpToTheFirstEmptyLine) {
  kvtest::TempFolder drive;
  FileSystem files{DriveMap(drive.path())};
  std::filesystem::create_directories(drive.path() / "W");
  struct Case {
    LineList lines;
    std::string bytes;
  } cases[] = {
      {{"0.5", "1,25", "", "never"}, "0.5\r\n1.25\r\n"},
      {{"AB  0.3mm-1,25mm,x"}, "AB  0.3mm-1.25mm,x\r\n"},
      {{"", "x"}, ""},
      {{}, ""},
      {{"\x83\x8F"}, "\x83\x8F\r\n"},
  };
  kvtest::WriteBytes(drive.path() / "W" / "Evaluation.csv", "an older and longer file\r\n");
  for (auto& c : cases) {
    ASSERT_TRUE(WriteCsvFile(files, "C:\\W\\", c.lines, "Evaluation.csv").ok());
    EXPECT_EQ(kvtest::ReadBytes(drive.path() / "W" / "Evaluation.csv"), c.bytes);
  }
}

TEST(CsvFileTest, AFileThatCannotBeWrittenKeepsTheOldOne) {
  kvtest::TempFolder drive;
  FileSystem files{DriveMap(drive.path())};
  LineList lines{"1"};
  EXPECT_FALSE(WriteCsvFile(files, "C:\\missing\\", lines, "Parameter.csv").ok());
  std::filesystem::create_directories(drive.path() / "Graph_BAC.Csv" / "x");
  Status status = WriteCsvFile(files, "C:\\", lines, "Graph_BAC.Csv");
  EXPECT_NE(status.description().find("Graph_BAC.Csv"), std::string::npos);
}

}  // namespace
}  // namespace kv
