// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/drive_map.h"
#include "platform/status.h"

namespace kv {

// The lines of a text without their line ends (CR LF, LF or CR).
std::vector<std::string> TextLines(std::string_view bytes);

// The file services the program uses, on Windows path text mapped through a
// DriveMap. Text files are bytes in the ANSI code page with CR LF line ends.
class FileSystem {
 public:
  explicit FileSystem(DriveMap drives) : drives_(std::move(drives)) {}

  const DriveMap& drives() const { return drives_; }

  bool FolderExists(std::string_view path) const;
  bool FileExists(std::string_view path) const;
  // When the file was last written; nullopt when it cannot be told.
  std::optional<std::filesystem::file_time_type> WriteTime(std::string_view path) const;
  // Creates one folder; its parent must exist.
  Status CreateFolder(std::string_view path);
  // Copies a file; an existing destination is left as it is.
  Status CopyFile(std::string_view from, std::string_view to);

  // The whole content of a regular file; one larger than `maxBytes` is
  // refused (kBadFile) before anything is read.
  Result<std::string> ReadBytes(std::string_view path, std::size_t maxBytes) const;
  // At most the first `maxBytes` of a regular file, however large it is.
  Result<std::string> ReadHead(std::string_view path, std::size_t maxBytes) const;
  // The lines of a text file without their line ends (CR LF, LF or CR),
  // refused beyond `maxBytes` as ReadBytes() does.
  Result<std::vector<std::string>> ReadLines(std::string_view path, std::size_t maxBytes) const;
  // Writes the whole file, each line ended by CR LF. The old file is replaced
  // only once the new content is completely on disk, so a failure (full disk,
  // read-only folder) leaves it as it was.
  Status WriteLines(std::string_view path, const std::vector<std::string>& lines);
  Status WriteBytes(std::string_view path, std::string_view bytes);

  // Several files of one folder that belong together: each is written
  // completely beside its final name first; only when all are on disk do they
  // replace the old ones. A failure before that leaves every old file as it
  // was. A journal names the replacements while they happen, so that a
  // process killed half-way is completed by FinishInterruptedWrites().
  struct FileContent {
    std::string path;
    std::string bytes;
  };
  Status WriteFilesTogether(const std::vector<FileContent>& files);

  // After a run that was killed while writing into `folder`: completes the
  // replacements its journal names, then removes the temporary files left.
  void FinishInterruptedWrites(std::string_view folder);

 private:
  // A complete copy of `bytes` beside `path`, ready to be renamed over it.
  Result<std::string> WriteTemporary(std::string_view path, std::string_view bytes);
  Result<std::string> Read(std::string_view path, std::size_t maxBytes, bool refuseLarger) const;
  Status ReplaceAll(const std::vector<FileContent>& contents,
                    const std::vector<std::string>& temps);

  DriveMap drives_;
};

}  // namespace kv
