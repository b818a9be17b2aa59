// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>

#include "temp_folder.h"

namespace kv {
namespace {

// A folder as text: "name=bytes" entries in name order, joined by "; "; a
// folder inside shows as its bare name.
std::vector<std::pair<std::string, std::string>> Parse(std::string_view text) {
  std::vector<std::pair<std::string, std::string>> entries;
  for (std::size_t end = 0; !text.empty(); text.remove_prefix(std::min(end + 2, text.size()))) {
    end = std::min(text.find("; "), text.size());
    const auto equals = text.find('=');
    entries.emplace_back(text.substr(0, equals), text.substr(equals + 1, end - equals - 1));
  }
  return entries;
}

void Make(const std::filesystem::path& root, std::string_view text) {
  for (const auto& [name, bytes] : Parse(text)) kvtest::WriteBytes(root / name, bytes);
}

std::string Contents(const std::filesystem::path& root) {
  std::map<std::string, std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    const std::string name = entry.path().lexically_relative(root).string();
    names[name] = entry.is_directory() ? "" : "=" + kvtest::ReadBytes(entry.path());
  }
  std::string text;
  for (const auto& [name, rest] : names) text += (text.empty() ? "" : "; ") + name + rest;
  return text;
}

// CR LF and NUL bytes: SettingsFixture's Version.INI.
TEST(FileSystemTest, ReadsLinesWhateverTheirEnds) {
  kvtest::TempFolder drive;
  FileSystem files{DriveMap(drive.path())};
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"", {}},
      {"a\nb", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"\r\n\r\nx", {"", "", "x"}},
  };
  for (const auto& [bytes, lines] : cases) {
    kvtest::WriteBytes(drive.path() / "f.txt", bytes);
    auto read = files.ReadLines("C:\\f.txt", 64);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.value(), lines);
  }
  EXPECT_FALSE(files.ReadLines("C:\\missing.txt", 64).ok());
  // Beyond its cap a file is refused unread, or only its head is taken; a
  // FIFO in a file's place is refused at once instead of blocking.
  kvtest::WriteBytes(drive.path() / "f.txt", std::string(65, 'x'));
  EXPECT_EQ(files.ReadBytes("C:\\f.txt", 64).status().code(), StatusCode::kBadFile);
  EXPECT_EQ(files.ReadHead("C:\\f.txt", 4).value(), "xxxx");
  ASSERT_EQ(::mkfifo((drive.path() / "fifo").c_str(), 0600), 0);
  EXPECT_EQ(files.ReadHead("C:\\fifo", 64).status().code(), StatusCode::kFileError);
}

// Files written together, and what a later run finds after one was killed
// half-way: the journal's set is completed, or else the old files stay.
TEST(FileSystemTest, FilesWrittenTogetherReplaceAllOrNone) {
  const std::string old = "A.csv=old A; B.csv=old B", both = "A.csv=new A; B.csv=new B";
  const struct {
    const char* name;
    std::string before;
    std::string journal;  // "{}" stands for the folder
    std::string write;    // into the folder; none: FinishInterruptedWrites
    bool ok;
    std::string after;
  } cases[] = {
      {"written", old, "", both, true, both},
      {"a file fails before any rename", old, "", "A.csv=new A; no\\B.csv=new B", false, old},
      // (A rename failing half-way: ReadAllTest.AFileThatCannotBeReplacedLeavesTheOthers.)
      {"a single file over a folder", "B.csv/x=x", "", "B.csv=new B", false, "B.csv; B.csv/x=x"},
      {"killed with one rename done",
       "A.csv=new A; A.csv.tmp-aaaaaa.old=old A; B.csv=old B; B.csv.tmp-bbbbbb=new B; "
       "B.csv.tmp-bbbbbb.old=old B",
       "{}/A.csv.tmp-aaaaaa\t{}/A.csv\n{}/B.csv.tmp-bbbbbb\t{}/B.csv\n", "", true, both},
      {"killed before the journal",
       old + "; A.csv.tmp-aaaaaa=new A; B.csv.tmp-bbbbbb.old=old B; .kvcom-replacing.tmp-cccccc=",
       "", "", true, old},
      {"only temporary files go", "A.csv.tmp-abc=kept; notes.tmp-abcdefg=kept", "", "", true,
       "A.csv.tmp-abc=kept; notes.tmp-abcdefg=kept"},
      {"a damaged journal moves nothing else", old + "; sub/A.csv.tmp-dddddd=x",
       "{}/B.csv\t{}/A.csv\n{}/sub/A.csv.tmp-dddddd\t{}/A.csv\nno tab\n", "", true,
       old + "; sub; sub/A.csv.tmp-dddddd=x"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    kvtest::TempFolder drive;
    const std::filesystem::path folder = drive.path() / "W";
    std::filesystem::create_directories(folder);
    Make(folder, c.before);
    std::string journal = c.journal;
    for (auto at = journal.find("{}"); at != std::string::npos; at = journal.find("{}")) {
      journal.replace(at, 2, folder.string());
    }
    if (!journal.empty()) kvtest::WriteBytes(folder / ".kvcom-replacing", journal);
    FileSystem files{DriveMap(drive.path())};
    if (c.write.empty()) {
      files.FinishInterruptedWrites("C:\\W\\");
    } else {
      std::vector<FileSystem::FileContent> write;
      for (const auto& [name, bytes] : Parse(c.write)) write.push_back({"C:\\W\\" + name, bytes});
      EXPECT_EQ(files.WriteFilesTogether(write).ok(), c.ok);
    }
    EXPECT_EQ(Contents(folder), c.after);
  }
}

TEST(FileSystemTest, FoldersOneAtATimeAndCopiesThatKeepTheDestination) {
  kvtest::TempFolder drive;
  FileSystem files{DriveMap(drive.path())};
  EXPECT_FALSE(files.CreateFolder("C:\\a\\b").ok());
  EXPECT_TRUE(files.CreateFolder("C:\\a").ok());
  EXPECT_TRUE(files.CreateFolder("C:\\A\\b").ok());
  EXPECT_TRUE(files.FolderExists("C:\\a\\B"));
  EXPECT_FALSE(files.FileExists("C:\\a\\b"));
  Make(drive.path(), "x.xls=template; y.xls=edited");
  EXPECT_TRUE(files.CopyFile("C:\\x.xls", "C:\\y.xls").ok());
  EXPECT_TRUE(files.CopyFile("C:\\x.xls", "C:\\a\\z.xls").ok());
  EXPECT_FALSE(files.CopyFile("C:\\none.xls", "C:\\d.xls").ok());
  EXPECT_EQ(Contents(drive.path()), "a; a/b; a/z.xls=template; x.xls=template; y.xls=edited");
}

}  // namespace
}  // namespace kv
