// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/file_system.h"

namespace kv {

// What of a comment line is kept: more is no comment an operator types.
inline constexpr std::size_t kCommentLineBytes = 256;
// A settings file holds a few lines; a larger one is not read.
inline constexpr std::size_t kSettingsFileBytes = std::size_t{64} * 1024;

// Mirror of Autoprint.INI: 0 auto-start flag, 1 evaluation set, 2 output
// mode, 3 graph layout, 4 paper size, 5 unused.
using AutoPrintEntries = std::array<std::string, 6>;

struct StoredVersion {
  std::string ControllerVersion;
  std::int32_t VersionNumber = 0;
  std::int16_t LanguageIndex = 0;
};

// The four settings files of the working folder.
class SettingsFiles {
 public:
  SettingsFiles(FileSystem& files, std::string workFolder)
      : files_(files), workFolder_(std::move(workFolder)) {}

  // "C:\Tarnwick Corvanet", then "C:\Tarnwick Corvanet\KV-730", each when missing.
  Status CreateFolderTree();

  // Folder.INI, Version.INI, Autoprint.INI, Comment.INI, each only when missing.
  Status CreateMissingDefaults(std::int16_t languageIndex);

  // Version.INI: the version text exactly as received, then the language number.
  Status WriteVersion(const std::string& controllerVersion, std::int16_t languageIndex);
  // Never fails: a missing or unusable file gives version and language 0.
  StoredVersion ReadVersion() const;

  // Six entries; a missing file or fewer than six lines gives six "0".
  AutoPrintEntries ReadAutoprint() const;
  // Empty entries become "0". When the file cannot be written, the folder
  // tree and a default Comment.INI (in `languageIndex`) are made instead;
  // nothing is reported.
  void WriteAutoprint(AutoPrintEntries& settings, std::int16_t languageIndex);

  // The comment lines of Comment.INI as far as it has them: at most eight,
  // each cut to kCommentLineBytes. None when the file cannot be read.
  std::vector<std::string> ReadComment() const;
  // All eight lines, the file replaced whole.
  Status WriteComment(const std::array<std::string, 8>& lines);
  // The eight default comment lines; Japanese ones are Shift-JIS bytes.
  static std::vector<std::string> DefaultComment(std::int16_t languageIndex,
                                                 std::string_view lastLine);

 private:
  std::string Path(std::string_view name) const { return workFolder_ + std::string(name); }
  Status WriteIfMissing(std::string_view name, const std::vector<std::string>& lines);

  FileSystem& files_;
  std::string workFolder_;
};

}  // namespace kv
