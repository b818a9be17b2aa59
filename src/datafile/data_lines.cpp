// SPDX-License-Identifier: GPL-3.0-or-later
#include "datafile/data_lines.h"

namespace kv {
namespace {

// A line ended by CR LF, or by a CR at the end of the bytes, loses its CR:
// the controller writes CR LF, and its fetch leaves out the final LF.
std::string_view WithoutCarriageReturn(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

}  // namespace

Result<DataLineList> DataLinesFromBytes(std::string_view bytes, std::size_t capacity) {
  DataLineList list;
  std::size_t start = 0;
  for (std::size_t end = bytes.find('\n'); end != std::string_view::npos;
       end = bytes.find('\n', start)) {
    if (list.DataLines.size() + 2 > capacity) {
      return Status::Error(
          StatusCode::kBadFile,
          "The data file has more than " + std::to_string(capacity) + " lines; it cannot be read.");
    }
    list.DataLines.emplace_back(WithoutCarriageReturn(bytes.substr(start, end - start)));
    start = end + 1;
  }
  list.DataLines.emplace_back(WithoutCarriageReturn(bytes.substr(start)));
  list.LineCount = static_cast<std::int32_t>(list.DataLines.size() - 1);
  return list;
}

Result<DataLineList> ReadDataFile(const FileSystem& files, std::string_view path) {
  // A valid data file has at most kPcFileLines lines of at most 256 bytes.
  auto read = files.ReadBytes(path, kPcFileLines * 256);
  if (!read.ok()) return read.status();
  const std::string& bytes = read.value();
  Result<DataLineList> lines = DataLinesFromBytes(bytes, kPcFileLines);
  if (!lines.ok()) {
    return Status::Error(lines.status().code(),
                         "\"" + std::string(path) + "\": " + lines.status().description());
  }
  return lines;
}

}  // namespace kv
