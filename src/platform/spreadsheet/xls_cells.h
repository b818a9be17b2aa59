// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kv {

// Every non-empty cell of a workbook as text, keyed by (row, column) counted
// from 1. FreeXL reads the file in a child process; these are what it hands back.
struct SheetCells {
  std::string name;
  std::map<std::pair<int, int>, std::string> cells;
};

struct WorkbookCells {
  int openResult = 0;  // FreeXL's answer to opening the file
  bool passwordProtected = false;
  std::vector<SheetCells> sheets;
};

// The byte form that crosses the pipe, and back; nullopt when the bytes are
// cut short or malformed, as when the child died mid-way.
std::string EncodeCells(const WorkbookCells& workbook);
std::optional<WorkbookCells> DecodeCells(const std::string& bytes);

}  // namespace kv
