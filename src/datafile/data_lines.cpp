// SPDX-License-Identifier: GPL-3.0-or-later
#include "datafile/data_lines.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace kv {
namespace {

// A line ended by CR LF, or by a CR at the end of the bytes, loses its CR:
// the controller writes CR LF, and its fetch leaves out the final LF.
std::string_view WithoutCarriageReturn(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

Status FileError(std::string_view what, std::string_view path, const std::error_code& cause) {
  return Status::Error(StatusCode::kFileError, std::string(what) + " \"" + std::string(path) +
                                                   "\": " + cause.message() + ".");
}

// What the last failed stream operation left in errno; a file that shrank
// while it was read leaves none.
std::error_code LastError() {
  return errno != 0 ? std::error_code(errno, std::generic_category())
                    : std::make_error_code(std::errc::io_error);
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
  const std::filesystem::path host = files.drives().HostPath(path);
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(host, error);  // fails for a folder
  if (error) return FileError("Cannot open", path, error);
  errno = 0;
  std::ifstream in(host, std::ios::binary);
  if (!in) return FileError("Cannot open", path, LastError());
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!in.read(bytes.data(), static_cast<std::streamsize>(size))) {
    return FileError("Cannot read", path, LastError());
  }
  Result<DataLineList> lines = DataLinesFromBytes(bytes, kPcFileLines);
  if (!lines.ok()) {
    return Status::Error(lines.status().code(),
                         "\"" + std::string(path) + "\": " + lines.status().description());
  }
  return lines;
}

}  // namespace kv
