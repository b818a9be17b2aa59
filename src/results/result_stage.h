// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "results/csv_file.h"

namespace kv {

// The result files of one read or import, held in memory until the whole
// sequence succeeded, so that a failure halfway leaves every earlier result
// file as it was.
class ResultStage {
 public:
  // Adds a file of the working folder, or replaces one added before.
  void Add(std::string_view fileName, std::string bytes);
  // Adds the result file of `lines`, as CsvBytes() makes it (`lines` change
  // with it).
  void AddCsv(std::string_view fileName, LineList& lines);
  void Clear() { files_.clear(); }
  bool empty() const { return files_.empty(); }

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
