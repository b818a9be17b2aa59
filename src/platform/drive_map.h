// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kv {

// Maps Windows path text onto host folders, as Wine does: drive C: is a host
// folder of its own (the working drive), drive Z: is the host's root. Names
// are matched without regard to case, so "AutoPrint.INI" finds a file created
// as "Autoprint.INI"; a name with no existing match keeps its own spelling.
class DriveMap {
 public:
  explicit DriveMap(std::filesystem::path driveC);

  // KV_DRIVE_C, else $XDG_DATA_HOME/corvanet-kv/drive_c, else
  // ~/.local/share/corvanet-kv/drive_c.
  static DriveMap FromEnvironment();

  const std::filesystem::path& DriveC() const { return driveC_; }

  // Host path for a Windows path such as "C:\Tarnwick Corvanet\KV-730\Folder.INI".
  // Both separators are accepted. A path on another drive, or without a drive,
  // maps below drive C:.
  std::filesystem::path HostPath(std::string_view windowsPath) const;

  // Windows path text for a host path: below drive C: as "C:\...", anywhere
  // else as "Z:\...". No trailing separator.
  std::string WindowsPath(const std::filesystem::path& hostPath) const;

 private:
  std::filesystem::path driveC_;
};

}  // namespace kv
