// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace kv {

// A worksheet of an open workbook.
class Worksheet {
 public:
  virtual ~Worksheet() = default;
  // Value of the cell at (row, column), both counted from 1 as the
  // spreadsheet application counts them. A number gives its text form, an
  // empty or absent cell an empty text; text is UTF-8.
  virtual Result<std::string> CellValue(int row, int column) const = 0;
};

// An open workbook; it and its worksheets stay readable as long as a
// reference to any of them is held.
class Workbook {
 public:
  virtual ~Workbook() = default;
  // The worksheet with this name; an error names the missing sheet.
  virtual Result<std::shared_ptr<Worksheet>> Sheet(std::string_view name) = 0;
};

}  // namespace kv
