// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings_files.h"

#include <gtest/gtest.h>

#include <tuple>

#include "temp_folder.h"

namespace kv {
namespace {

const std::string kWork = "C:\\Tarnwick Corvanet\\KV-730\\";
// The English comment lines but the last, which names the version.
const std::string kEnglishComment =
    "Work Name\r\nMeasuring Tool\r\nOprrator\r\nComment\r\nSample\r\n"
    "Corvanet KV-730\r\nTarnwick\r\n";

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
  EXPECT_EQ(kvtest::ReadBytes(Host("Comment.INI")), kEnglishComment + "Ver3.00\r\n");
  EXPECT_EQ(kvtest::ReadBytes(Host("Folder.INI")), "Z:\\data\r\n");  // existing files stay
}

// Written as received, NUL padding and all; read back, a file without a
// usable number reads as version 0 or language 0.
TEST_F(SettingsFixture, VersionIsStoredAsReceivedAndUnusableEntriesReadAsZero) {
  ASSERT_TRUE(settings.CreateFolderTree().ok());
  const std::string padded = "Ver 1.102" + std::string(3, '\0');
  ASSERT_TRUE(settings.WriteVersion(padded, 1).ok());
  EXPECT_EQ(kvtest::ReadBytes(Host("Version.INI")), padded + "\r\n1\r\n");
  const std::tuple<std::string, std::string, std::int32_t, std::int16_t> cases[] = {
      {padded + "\r\n1\r\n", padded, 1102, 1},       {"Ver1.00\r\n", "Ver1.00", 0, 0},
      {"Ver 1.102\r\n", "Ver 1.102", 0, 0},  // no line 2
      {"Ver 1.102\r\n40000\r\n", "Ver 1.102", 0, 0}, {"Ver 1.102\r\nx\r\n", "Ver 1.102", 1102, 0},
      {"Ver 1.102\r\n2\r\n", "Ver 1.102", 1102, 2},  {"", "", 0, 0},
  };
  for (const auto& [bytes, version, number, language] : cases) {
    kvtest::WriteBytes(Host("Version.INI"), bytes);
    StoredVersion stored = settings.ReadVersion();
    EXPECT_EQ(stored.ControllerVersion, version) << bytes;
    EXPECT_EQ(stored.VersionNumber, number) << bytes;
    EXPECT_EQ(stored.LanguageIndex, language) << bytes;
  }
  std::filesystem::remove(Host("Version.INI"));
  EXPECT_EQ(settings.ReadVersion().VersionNumber, 0);
}

// A short file reads as six zeros; a write without the folder recreates the
// folder and the comments first, and writes the entries only the next time.
TEST_F(SettingsFixture, AutoprintReadsSixEntriesAndRecoversAMissingFolder) {
  AutoPrintEntries entries{"0", "1", "1", "0", "1", "0"};
  settings.WriteAutoprint(entries, 3);
  EXPECT_FALSE(std::filesystem::exists(Host("Autoprint.INI")));
  EXPECT_EQ(kvtest::ReadBytes(Host("Comment.INI")), kEnglishComment + "Ver1.00\r\n");
  settings.WriteAutoprint(entries, 3);
  EXPECT_EQ(kvtest::ReadBytes(Host("Autoprint.INI")), "0\r\n1\r\n1\r\n0\r\n1\r\n0\r\n");
  kvtest::WriteBytes(Host("Autoprint.INI"), "0\r\n");
  EXPECT_EQ(settings.ReadAutoprint(), (AutoPrintEntries{"0", "0", "0", "0", "0", "0"}));
  kvtest::WriteBytes(Host("Autoprint.INI"), "1\r\n1\r\n2\r\n\r\n1\r\n0\r\n");
  entries = settings.ReadAutoprint();  // read as "AutoPrint.INI"
  EXPECT_EQ(entries, (AutoPrintEntries{"1", "1", "2", "", "1", "0"}));
  settings.WriteAutoprint(entries, 1);
  EXPECT_EQ(kvtest::ReadBytes(Host("Autoprint.INI")), "1\r\n1\r\n2\r\n0\r\n1\r\n0\r\n");
}

}  // namespace
}  // namespace kv
