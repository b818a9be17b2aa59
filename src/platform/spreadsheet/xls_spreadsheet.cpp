// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/spreadsheet/xls_spreadsheet.h"

#include <utility>

#include "platform/spreadsheet/xls_workbook.h"

namespace kv {

XlsSpreadsheetApp::XlsSpreadsheetApp(const DriveMap& drives, MacroTable macros)
    : drives_(drives), macros_(std::move(macros)) {}

Result<std::shared_ptr<Workbook>> XlsSpreadsheetApp::Open(std::string_view windowsPath) {
  std::filesystem::path hostPath = drives_.HostPath(windowsPath);
  auto workbook = OpenXlsWorkbook(hostPath, windowsPath);
  if (workbook.ok()) lastOpened_ = OpenBook{hostPath, std::string(windowsPath)};
  return workbook;
}

Status XlsSpreadsheetApp::Run(std::string_view macro) {
  std::string prefix = "Cannot run the macro \"" + std::string(macro) + "\": ";
  if (!lastOpened_) return Status::Error(prefix + "no workbook is open.");
  auto found = macros_.find(macro);
  if (found == macros_.end()) {
    return Status::Error(prefix + "the workbook \"" + lastOpened_->windowsPath +
                         "\" has no such macro.");
  }
  return found->second(MacroCall{lastOpened_->hostPath});
}

void XlsSpreadsheetApp::Quit() {
  lastOpened_.reset();
  visible_ = false;
}

}  // namespace kv
