// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace kv {

// A controller data file as its lines. LineCount is the number of line feeds
// seen, which is also the index of the last line: DataLines holds LineCount + 1
// lines. Built and dropped within one import.
struct DataLineList {
  std::vector<std::string> DataLines;
  std::int32_t LineCount = 0;
};

// Line capacities: a file read on the PC, and a file fetched from the controller.
inline constexpr std::size_t kPcFileLines = 70001;
inline constexpr std::size_t kControllerFileLines = 76001;

// Splits the bytes of a data file into lines: a line feed ends a line, and so
// does a carriage return directly before it or at the very end of the bytes.
// Every other byte belongs to its line; text after the last line feed is the
// last line. A kBadFile error when the file has more lines than `capacity`.
// The controller fetch passes every byte of the file but the last one.
Result<DataLineList> DataLinesFromBytes(std::string_view bytes, std::size_t capacity);

// A data file on the PC (Windows path text), split as above with the PC's
// capacity. Errors: kFileError when it cannot be read (the text names the
// file and the cause), kBadFile when it has too many lines.
Result<DataLineList> ReadDataFile(const FileSystem& files, std::string_view path);

}  // namespace kv
