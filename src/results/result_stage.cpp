// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/result_stage.h"

#include <algorithm>

namespace kv {

void ResultStage::Add(std::string_view fileName, std::string bytes) {
  auto same = std::find_if(files_.begin(), files_.end(),
                           [fileName](const File& file) { return file.name == fileName; });
  if (same != files_.end()) {
    same->bytes = std::move(bytes);
    return;
  }
  files_.push_back({std::string(fileName), std::move(bytes)});
}

void ResultStage::AddCsv(std::string_view fileName, LineList& lines) {
  Add(fileName, CsvBytes(lines));
}

const std::string* ResultStage::Bytes(std::string_view fileName) const {
  for (const File& file : files_) {
    if (file.name == fileName) return &file.bytes;
  }
  return nullptr;
}

Status ResultStage::Commit(FileSystem& files, const std::string& workFolder) const {
  std::vector<FileSystem::FileContent> contents;
  contents.reserve(files_.size());
  for (const File& file : files_) contents.push_back({workFolder + file.name, file.bytes});
  return files.WriteFilesTogether(contents);
}

}  // namespace kv
