// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drive_map.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace kv {
namespace {

TEST(DriveMapTest, MapsWindowsPathsOntoHostFolders) {
  kvtest::TempFolder drive;
  std::filesystem::create_directories(drive.path() / "Tarnwick Corvanet" / "KV-730");
  kvtest::WriteBytes(drive.path() / "Tarnwick Corvanet" / "KV-730" / "Autoprint.INI", "0\r\n");
  DriveMap map(drive.path());

  struct Case {
    std::string windows;
    std::filesystem::path host;
  } cases[] = {
      {"C:\\Tarnwick Corvanet\\KV-730\\Folder.INI",
       drive.path() / "Tarnwick Corvanet" / "KV-730" / "Folder.INI"},
      // Read under another spelling, the existing file is found.
      {"C:\\Tarnwick Corvanet\\KV-730\\AutoPrint.INI",
       drive.path() / "Tarnwick Corvanet" / "KV-730" / "Autoprint.INI"},
      {"c:\\TARNWICK CORVANET\\kv-730\\", drive.path() / "Tarnwick Corvanet" / "KV-730"},
      {"C:/Tarnwick Corvanet", drive.path() / "Tarnwick Corvanet"},
      {"Z:\\usr\\share", "/usr/share"},
      {"C:\\", drive.path()},
  };
  for (const auto& c : cases) EXPECT_EQ(map.HostPath(c.windows), c.host) << c.windows;
}

TEST(DriveMapTest, GivesWindowsPathTextForHostPaths) {
  kvtest::TempFolder drive;
  DriveMap map(drive.path());
  EXPECT_EQ(map.WindowsPath(drive.path() / "Tarnwick Corvanet" / "KV-730"),
            "C:\\Tarnwick Corvanet\\KV-730");
  EXPECT_EQ(map.WindowsPath("/opt/kv/bin"), "Z:\\opt\\kv\\bin");
  EXPECT_EQ(map.HostPath(map.WindowsPath("/opt/kv/bin")), "/opt/kv/bin");
}

TEST(DriveMapTest, DriveComesFromTheEnvironment) {
  ::setenv("KV_DRIVE_C", "/srv/kv-drive", 1);
  EXPECT_EQ(DriveMap::FromEnvironment().DriveC(), "/srv/kv-drive");
  ::unsetenv("KV_DRIVE_C");
  ::setenv("XDG_DATA_HOME", "/home/op/.data", 1);
  EXPECT_EQ(DriveMap::FromEnvironment().DriveC(), "/home/op/.data/corvanet-kv/drive_c");
  ::unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace kv
