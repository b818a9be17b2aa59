// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "results/csv_file.h"

namespace kv {

// The result files of one import, held in memory until the import is
// complete, so that a file refused halfway leaves every earlier result file
// as it was.
class ImportStage {
 public:
  // Adds a file of the working folder, or replaces one added before.
  void Add(std::string_view fileName, std::string bytes);
  // Adds the bytes WriteCsvFile would write for `lines` (which it changes as
  // WriteCsvFile does).
  void AddCsv(std::string_view fileName, LineList& lines);
  void Clear() { files_.clear(); }

  // The bytes of a staged file; none when it is not staged.
  const std::string* Bytes(std::string_view fileName) const;

  // Writes every staged file into `workFolder` all or none: a failure leaves
  // every old file as it was.
  Status Commit(FileSystem& files, const std::string& workFolder) const;

 private:
  struct File {
    std::string name;
    std::string bytes;
  };
  std::vector<File> files_;
};

}  // namespace kv
