// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings_files.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace kv {
namespace {

const std::string kWork = "C:\\Tarnwick Corvanet\\KV-730\\";

struct SettingsFixture : ::testing::Test {
  std::filesystem::path Host(const std::string& name) const {
    return drive.path() / "Tarnwick Corvanet" / "KV-730" / name;
  }
  kvtest::TempFolder drive;
  FileSystem files{DriveMap(drive.path())};
  SettingsFiles settings{files, kWork};
};

TEST_F(SettingsFixture, DefaultFilesHoldTheirExactBytes) {
  ASSERT_TRUE(settings.CreateFolderTree().ok());
  ASSERT_TRUE(settings.CreateMissingDefaults(0).ok());
  EXPECT_EQ(kvtest::ReadBytes(Host("Folder.INI")), "C\\:\r\n");
  EXPECT_EQ(kvtest::ReadBytes(Host("Version.INI")), "Ver1.00\r\n");
  EXPECT_EQ(kvtest::ReadBytes(Host("Autoprint.INI")), "0\r\n");
  EXPECT_EQ(kvtest::ReadBytes(Host("Comment.INI")),
            "\x83\x8F\x81\x5B\x83\x4E\x96\xBC\r\n"
            "\x91\xAA\x92\xE8\x8B\x40\x8A\xED\r\n"
            "\x91\xAA\x92\xE8\x8E\xD2\r\n"
            "\x83\x52\x83\x81\x83\x93\x83\x67\r\n"
            "\x83\x54\x83\x93\x83\x76\x83\x8B\r\n"
            "Corvanet KV-730\r\nTarnwick\r\nVer3.00\r\n");

  std::filesystem::remove(Host("Comment.INI"));
  kvtest::WriteBytes(Host("Folder.INI"), "Z:\\data\r\n");
  ASSERT_TRUE(settings.CreateMissingDefaults(3).ok());
  EXPECT_EQ(kvtest::ReadBytes(Host("Comment.INI")),
            "Work Name\r\nMeasuring Tool\r\nOprrator\r\nComment\r\nSample\r\n"
            "Corvanet KV-730\r\nTarnwick\r\nVer3.00\r\n");
  EXPECT_EQ(kvtest::ReadBytes(Host("Folder.INI")), "Z:\\data\r\n");  // existing files stay
}

TEST_F(SettingsFixture, VersionIsStoredAsReceived) {
  ASSERT_TRUE(settings.CreateFolderTree().ok());
  std::string version = "Ver 1.102" + std::string(3, '\0');
  ASSERT_TRUE(settings.WriteVersion(version, 1).ok());
  EXPECT_EQ(kvtest::ReadBytes(Host("Version.INI")), version + "\r\n1\r\n");
  StoredVersion stored = settings.ReadVersion();
  EXPECT_EQ(stored.ControllerVersion, version);
  EXPECT_EQ(stored.VersionNumber, 1102);
  EXPECT_EQ(stored.LanguageIndex, 1);
}

TEST_F(SettingsFixture, UnusableVersionFilesReadAsZero) {
  struct Case {
    const char* bytes;
    std::string version;
    std::int32_t number;
    std::int16_t language;
  } cases[] = {
      {"Ver1.00\r\n", "Ver1.00", 0, 0},
      {"Ver 1.102\r\n", "Ver 1.102", 0, 0},  // no line 2
      {"Ver 1.102\r\n40000\r\n", "Ver 1.102", 0, 0},
      {"Ver 1.102\r\nx\r\n", "Ver 1.102", 1102, 0},
      {"Ver 1.102\r\n2\r\n", "Ver 1.102", 1102, 2},
      {"", "", 0, 0},
  };
  for (const auto& c : cases) {
    kvtest::WriteBytes(Host("Version.INI"), c.bytes);
    StoredVersion stored = settings.ReadVersion();
    EXPECT_EQ(stored.ControllerVersion, c.version) << c.bytes;
    EXPECT_EQ(stored.VersionNumber, c.number) << c.bytes;
    EXPECT_EQ(stored.LanguageIndex, c.language) << c.bytes;
  }
  std::filesystem::remove(Host("Version.INI"));
  EXPECT_EQ(settings.ReadVersion().VersionNumber, 0);
}

TEST_F(SettingsFixture, AutoprintReadsSixEntriesOrSixZeros) {
  ASSERT_TRUE(settings.CreateFolderTree().ok());
  kvtest::WriteBytes(Host("Autoprint.INI"), "0\r\n");
  EXPECT_EQ(settings.ReadAutoprint(), (AutoPrintEntries{"0", "0", "0", "0", "0", "0"}));
  kvtest::WriteBytes(Host("Autoprint.INI"), "1\r\n1\r\n2\r\n\r\n1\r\n0\r\n");
  AutoPrintEntries entries = settings.ReadAutoprint();  // read as "AutoPrint.INI"
  EXPECT_EQ(entries, (AutoPrintEntries{"1", "1", "2", "", "1", "0"}));
  settings.WriteAutoprint(entries, 1);
  EXPECT_EQ(kvtest::ReadBytes(Host("Autoprint.INI")), "1\r\n1\r\n2\r\n0\r\n1\r\n0\r\n");
}

TEST_F(SettingsFixture, AutoprintWriterRecoversAMissingFolder) {
  AutoPrintEntries entries{"0", "1", "1", "0", "1", "0"};
  settings.WriteAutoprint(entries, 3);
  EXPECT_FALSE(std::filesystem::exists(Host("Autoprint.INI")));  // not written again
  EXPECT_EQ(kvtest::ReadBytes(Host("Comment.INI")),
            "Work Name\r\nMeasuring Tool\r\nOprrator\r\nComment\r\nSample\r\n"
            "Corvanet KV-730\r\nTarnwick\r\nVer1.00\r\n");
  settings.WriteAutoprint(entries, 3);
  EXPECT_EQ(kvtest::ReadBytes(Host("Autoprint.INI")), "0\r\n1\r\n1\r\n0\r\n1\r\n0\r\n");
}

TEST_F(SettingsFixture, FolderTreeFailsWhereAFileStands) {
  kvtest::WriteBytes(drive.path() / "Tarnwick Corvanet", "not a folder");
  EXPECT_FALSE(settings.CreateFolderTree().ok());
  EXPECT_FALSE(settings.CreateMissingDefaults(0).ok());
  EXPECT_EQ(kvtest::ReadBytes(drive.path() / "Tarnwick Corvanet"), "not a folder");
}

}  // namespace
}  // namespace kv
