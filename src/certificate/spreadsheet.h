// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
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

// An open workbook. Stays valid as long as a reference to it is held, also
// after the application has quit.
class Workbook {
 public:
  virtual ~Workbook() = default;
  // The worksheet with this name; an error names the missing sheet.
  virtual Result<std::shared_ptr<Worksheet>> Sheet(std::string_view name) = 0;
};

// The spreadsheet application object ("Excel.Application"). Every failing
// call returns an error whose description says what went wrong or what is
// missing. The object accepts further actions after Quit().
class SpreadsheetApp {
 public:
  virtual ~SpreadsheetApp() = default;
  virtual void SetVisible(bool visible) = 0;
  virtual void SetDisplayAlerts(bool display) = 0;
  // Workbooks.Open with a Windows path (for example "C:\...\KV_Certificate.xls").
  virtual Result<std::shared_ptr<Workbook>> Open(std::string_view windowsPath) = 0;
  // Runs a macro of the open workbooks by name; returns when it has finished.
  virtual Status Run(std::string_view macro) = 0;
  // Closes the open workbooks and hides the application.
  virtual void Quit() = 0;
};

// "Create object": a new application object, or an error when none can be made.
using SpreadsheetFactory = std::function<Result<std::unique_ptr<SpreadsheetApp>>()>;

}  // namespace kv
