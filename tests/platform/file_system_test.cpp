// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_system.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace kv {
namespace {

TEST(FileSystemTest, ReadsLinesWhateverTheirEnds) {
  kvtest::TempFolder drive;
  FileSystem files{DriveMap(drive.path())};
  struct Case {
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"\r\n\r\nx", {"", "", "x"}},
      {std::string("Ver 1.103\0\0\r\n1\r\n", 16), {std::string("Ver 1.103\0\0", 11), "1"}},
  };
  for (const auto& c : cases) {
    kvtest::WriteBytes(drive.path() / "f.txt", c.bytes);
    auto lines = files.ReadLines("C:\\f.txt");
    ASSERT_TRUE(lines.ok());
    EXPECT_EQ(lines.value(), c.lines);
  }
  EXPECT_FALSE(files.ReadLines("C:\\missing.txt").ok());
}

TEST(FileSystemTest, WritesWholeFilesWithCrLf) {
  kvtest::TempFolder drive;
  FileSystem files{DriveMap(drive.path())};
  ASSERT_TRUE(files.WriteLines("C:\\f.INI", {"0", "", "x"}).ok());
  EXPECT_EQ(kvtest::ReadBytes(drive.path() / "f.INI"), "0\r\n\r\nx\r\n");
  ASSERT_TRUE(files.WriteLines("C:\\F.ini", {"1"}).ok());  // same file, other spelling
  EXPECT_EQ(kvtest::ReadBytes(drive.path() / "f.INI"), "1\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(drive.path()), {}), 1);
}

TEST(FileSystemTest, FailedWriteKeepsTheOldFile) {
  kvtest::TempFolder drive;
  FileSystem files{DriveMap(drive.path())};
  // A folder where the file should go stands for any write that cannot complete.
  std::filesystem::create_directories(drive.path() / "busy.csv" / "inside");
  Status status = files.WriteLines("C:\\busy.csv", {"new"});
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.description().find("C:\\busy.csv"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_directory(drive.path() / "busy.csv" / "inside"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(drive.path()), {}), 1);

  EXPECT_FALSE(files.WriteLines("C:\\no such folder\\f.INI", {"x"}).ok());
}

TEST(FileSystemTest, FilesWrittenTogetherReplaceAllOrNone) {
  kvtest::TempFolder drive;
  FileSystem files{DriveMap(drive.path())};
  kvtest::WriteBytes(drive.path() / "Parameter.csv", "old P");
  kvtest::WriteBytes(drive.path() / "Evaluation.csv", "old E");
  EXPECT_FALSE(files
                   .WriteFilesTogether({{"C:\\Parameter.csv", "new P"},
                                        {"C:\\Evaluation.csv", "new E"},
                                        {"C:\\missing\\Condition.csv", "new C"}})
                   .ok());
  EXPECT_EQ(kvtest::ReadBytes(drive.path() / "Parameter.csv"), "old P");
  EXPECT_EQ(kvtest::ReadBytes(drive.path() / "Evaluation.csv"), "old E");
  EXPECT_TRUE(
      files.WriteFilesTogether({{"C:\\Parameter.csv", "new P"}, {"C:\\Evaluation.csv", "new E"}})
          .ok());
  EXPECT_EQ(kvtest::ReadBytes(drive.path() / "Parameter.csv"), "new P");
  EXPECT_EQ(kvtest::ReadBytes(drive.path() / "Evaluation.csv"), "new E");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(drive.path()), {}), 2);
}

TEST(FileSystemTest, CopyLeavesAnExistingDestination) {
  kvtest::TempFolder drive;
  FileSystem files{DriveMap(drive.path())};
  kvtest::WriteBytes(drive.path() / "a.xls", "template");
  kvtest::WriteBytes(drive.path() / "b.xls", "edited");
  EXPECT_TRUE(files.CopyFile("C:\\a.xls", "C:\\b.xls").ok());
  EXPECT_EQ(kvtest::ReadBytes(drive.path() / "b.xls"), "edited");
  EXPECT_TRUE(files.CopyFile("C:\\a.xls", "C:\\c.xls").ok());
  EXPECT_EQ(kvtest::ReadBytes(drive.path() / "c.xls"), "template");
  Status missing = files.CopyFile("C:\\none.xls", "C:\\d.xls");
  EXPECT_FALSE(missing.ok());
  EXPECT_NE(missing.description().find("none.xls"), std::string::npos);
}

TEST(FileSystemTest, FoldersAreMadeOneAtATime) {
  kvtest::TempFolder drive;
  FileSystem files{DriveMap(drive.path())};
  EXPECT_FALSE(files.CreateFolder("C:\\a\\b").ok());
  EXPECT_TRUE(files.CreateFolder("C:\\a").ok());
  EXPECT_TRUE(files.CreateFolder("C:\\a\\b").ok());
  EXPECT_TRUE(files.FolderExists("C:\\A\\B"));
  EXPECT_FALSE(files.FileExists("C:\\a\\b"));
}

}  // namespace
}  // namespace kv
