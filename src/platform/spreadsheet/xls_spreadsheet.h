// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "certificate/spreadsheet.h"
#include "platform/drive_map.h"
#include "platform/status.h"

namespace kv {

// What a macro is given when it runs.
struct MacroCall {
  std::filesystem::path workbook;  // host path of the workbook the macro runs in
};

// A macro of the template workbooks, carried out by the program itself.
// Blocks until done; an error Status becomes the error of Run().
using Macro = std::function<Status(const MacroCall&)>;
using MacroTable = std::map<std::string, Macro, std::less<>>;

// The spreadsheet application on hosts without one: reads .xls workbooks with
// FreeXL and runs macros from a table given at construction instead of the
// workbooks' own. Single-threaded.
class XlsSpreadsheetApp : public SpreadsheetApp {
 public:
  XlsSpreadsheetApp(const DriveMap& drives, MacroTable macros);

  void SetVisible(bool visible) override { visible_ = visible; }
  void SetDisplayAlerts(bool display) override { displayAlerts_ = display; }
  bool Visible() const { return visible_; }
  bool DisplayAlerts() const { return displayAlerts_; }

  // Maps the Windows path through the drive map; the workbook becomes the one
  // that Run() works in.
  Result<std::shared_ptr<Workbook>> Open(std::string_view windowsPath) override;
  // Runs `macro` from the table in the workbook opened last.
  Status Run(std::string_view macro) override;
  // Forgets the open workbook and hides the application; worksheets and
  // workbooks handed out stay readable.
  void Quit() override;

 private:
  struct OpenBook {
    std::filesystem::path hostPath;
    std::string windowsPath;
  };

  DriveMap drives_;
  MacroTable macros_;
  std::optional<OpenBook> lastOpened_;
  bool visible_ = false;
  bool displayAlerts_ = true;
};

}  // namespace kv
