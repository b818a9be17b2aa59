// SPDX-License-Identifier: GPL-3.0-or-later
#include "datafile/data_lines.h"

#include <gtest/gtest.h>

#include "datafile/data_sections.h"
#include "temp_folder.h"

namespace kv {
namespace {

using Lines = std::vector<std::string>;

TEST(DataLinesTest, LineFeedsEndLinesAndACarriageReturnBeforeOneGoesWithIt) {
  struct Case {
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"", {""}},
      {"// Ver.1\nRa;1;", {"// Ver.1", "Ra;1;"}},
      {"a\nb\n", {"a", "b", ""}},  // a final line feed leaves an empty last line
      {"a\r\nb\r\n", {"a", "b", ""}},
      {"a\r\nb\r", {"a", "b"}},  // fetched from the controller without its last byte
      {"a\rb\rc", {"a\rb\rc"}},  // lone carriage returns end no line
      {"a\r\r\nb", {"a\r", "b"}},
      {"\n\n", {"", "", ""}},
      {std::string("x\0\xFF;\n\xB5", 6), {std::string("x\0\xFF;", 4), "\xB5"}},
  };
  for (const auto& c : cases) {
    Result<DataLineList> list = DataLinesFromBytes(c.bytes, kControllerFileLines);
    ASSERT_TRUE(list.ok()) << c.bytes;
    EXPECT_EQ(list.value().DataLines, c.lines) << c.bytes;
    EXPECT_EQ(list.value().LineCount, static_cast<std::int32_t>(c.lines.size()) - 1) << c.bytes;
  }
}

TEST(DataLinesTest, MoreLinesThanTheCapacityAreRefused) {
  EXPECT_TRUE(DataLinesFromBytes("a\nb\nc", 3).ok());
  EXPECT_TRUE(DataLinesFromBytes("a\nb\n", 3).ok());
  Result<DataLineList> over = DataLinesFromBytes("a\nb\nc\n", 3);
  ASSERT_FALSE(over.ok());
  EXPECT_EQ(over.status().description(), "The data file has more than 3 lines; it cannot be read.");
}

TEST(DataLinesTest, ReadsFilesOnThePcUpToTheirCapacity) {
  kvtest::TempFolder drive;
  FileSystem files{DriveMap(drive.path())};
  kvtest::WriteBytes(drive.path() / "FULL.TXT", std::string(70000, '\n'));
  kvtest::WriteBytes(drive.path() / "OVER.TXT", std::string(70001, '\n'));
  kvtest::WriteBytes(drive.path() / "EMPTY.TXT", "");
  std::filesystem::create_directories(drive.path() / "FOLDER.TXT");

  Result<DataLineList> full = ReadDataFile(files, "C:\\FULL.TXT");
  ASSERT_TRUE(full.ok());
  EXPECT_EQ(full.value().LineCount, 70000);
  EXPECT_EQ(full.value().DataLines.size(), 70001u);
  Result<DataLineList> empty = ReadDataFile(files, "C:\\EMPTY.TXT");
  ASSERT_TRUE(empty.ok());
  EXPECT_EQ(empty.value().DataLines, Lines{""});
  Result<DataLineList> over = ReadDataFile(files, "C:\\OVER.TXT");
  ASSERT_FALSE(over.ok());
  EXPECT_EQ(over.status().description(),
            "\"C:\\OVER.TXT\": The data file has more than 70001 lines; it cannot be read.");
  EXPECT_EQ(ReadDataFile(files, "C:\\MISSING.TXT").status().description(),
            "Cannot open \"C:\\MISSING.TXT\" for reading.");
  EXPECT_EQ(ReadDataFile(files, "C:\\FOLDER.TXT").status().description(),
            "Cannot open \"C:\\FOLDER.TXT\" for reading.");
}

TEST(DataLinesTest, AFileWithCrLfEndsReadsAsTheSameFileWithLfEnds) {
  FileSystem files{DriveMap(std::filesystem::temp_directory_path())};
  auto read = [&files](const char* name) {
    std::string path = files.drives().WindowsPath(std::filesystem::path(KV_DATAFILE_DIR) / name);
    Result<DataLineList> lines = ReadDataFile(files, path);
    EXPECT_TRUE(lines.ok()) << path;
    return lines.ok() ? lines.value().DataLines : Lines{};
  };
  const Lines metric = read("METRIC.TXT");
  ASSERT_GT(metric.size(), 650u);
  EXPECT_EQ(metric[0], "// Ver.1.103 KV-730");
  EXPECT_EQ(metric.back(), "");
  EXPECT_EQ(read("CRLF.TXT"), metric);
  EXPECT_NE(read("INCH.TXT"), metric);
}

TEST(DataSectionsTest, FirstLineBeginsWithVersionOrHeader) {
  struct Case {
    const char* line;
    bool accepted;
  } cases[] = {
      {"// Ver.1.103 KV-730", true}, {"// Ver.", true},     {"// Header", true},
      {"// Header of KV\r", true},   {"// Ver 1.1", false}, {"// ver.1.1", false},
      {" // Ver.1.1", false},        {"// Head", false},    {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsDataFileFirstLine(c.line), c.accepted) << c.line;
}

TEST(DataSectionsTest, TheFirstLineHoldingTheMarkerOfTheSelectedSetStartsTheSection) {
  DataLineList list{
      {"// Ver.1", "// A CalcData", " x // A CalcResult", "// A CalcResult", "// B CalcResult"}, 4};
  EXPECT_EQ(SectionMarker(0, "Condition"), "// A Condition");
  EXPECT_EQ(SectionMarker(1, "CalcData"), "// B CalcData");
  EXPECT_EQ(SectionMarker(2, "CalcData"), "// A CalcData");
  EXPECT_EQ(FindSection(list, SectionMarker(0, "CalcResult")), 2);
  EXPECT_EQ(FindSection(list, SectionMarker(1, "CalcResult")), 4);
  EXPECT_EQ(FindSection(list, "// a calcdata"), std::nullopt);
  EXPECT_EQ(FindSection(list, SectionMarker(1, "CalcData")), std::nullopt);
  list.LineCount = 3;  // lines beyond LineCount are not searched
  EXPECT_EQ(FindSection(list, SectionMarker(1, "CalcResult")), std::nullopt);
  list.LineCount = 40;  // nor lines the list does not have
  EXPECT_EQ(LineAt(list, 5), std::nullopt);
  EXPECT_EQ(LineAt(list, -1), std::nullopt);
}

}  // namespace
}  // namespace kv
