// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drive_map.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace kv {
namespace {

TEST(DriveMapTest, MapsWindowsPathsOntoHostFoldersAndBack) {
  kvtest::TempFolder drive;
  const auto work = drive.path() / "Tarnwick Corvanet" / "KV-730";
  kvtest::WriteBytes(work / "Autoprint.INI", "0\r\n");
  DriveMap map(drive.path());
  const std::pair<std::string, std::filesystem::path> cases[] = {
      {"C:\\Tarnwick Corvanet\\KV-730\\Folder.INI", work / "Folder.INI"},
      // Read under another spelling, the existing file is found.
      {"C:\\Tarnwick Corvanet\\KV-730\\AutoPrint.INI", work / "Autoprint.INI"},
      {"c:\\TARNWICK CORVANET\\kv-730\\", work},
      {"C:/Tarnwick Corvanet", drive.path() / "Tarnwick Corvanet"},
      {"Z:\\usr\\share", "/usr/share"},
      {"C:\\", drive.path()},
  };
  for (const auto& [windows, host] : cases) EXPECT_EQ(map.HostPath(windows), host) << windows;
  EXPECT_EQ(map.WindowsPath(work), "C:\\Tarnwick Corvanet\\KV-730");
  EXPECT_EQ(map.WindowsPath("/opt/kv/bin"), "Z:\\opt\\kv\\bin");
}

// Without KV_DRIVE_C (which every KvcomTest sets).
TEST(DriveMapTest, DriveComesFromTheEnvironment) {
  ::unsetenv("KV_DRIVE_C");
  ::setenv("XDG_DATA_HOME", "/home/op/.data", 1);
  EXPECT_EQ(DriveMap::FromEnvironment().DriveC(), "/home/op/.data/corvanet-kv/drive_c");
  ::unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace kv
