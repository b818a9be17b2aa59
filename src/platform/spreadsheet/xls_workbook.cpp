// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/spreadsheet/xls_workbook.h"

#include <freexl.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <limits>
#include <string>
#include <system_error>
#include <utility>

namespace kv {
namespace {

using Handle = std::shared_ptr<const void>;

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// A cell value converted to text shows at most 15 significant digits, as the
// spreadsheet application converts it: "3.5", "42", "0.3" for 0.1 + 0.2.
std::string NumberText(double value) {
  if (value == 0) return "0";  // also -0
  char buffer[32];
  (void)std::snprintf(buffer, sizeof buffer, "%.15G", value);
  return buffer;
}

std::string CellText(const FreeXL_CellValue& cell) {
  switch (cell.type) {
    case FREEXL_CELL_INT:
      return std::to_string(cell.value.int_value);
    case FREEXL_CELL_DOUBLE:
      return NumberText(cell.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
      return cell.value.text_value ? cell.value.text_value : "";
    default:
      return "";
  }
}

class XlsWorksheet : public Worksheet {
 public:
  XlsWorksheet(Handle handle, unsigned short index, std::string description)
      : handle_(std::move(handle)), index_(index), description_(std::move(description)) {}

  Result<std::string> CellValue(int row, int column) const override {
    const std::string place =
        "(" + std::to_string(row) + ", " + std::to_string(column) + ") of " + description_;
    if (row < 1 || column < 1) {
      return Status::Error(StatusCode::kFailed,
                           "Cell " + place + " does not exist: rows and columns count from 1.");
    }
    if (column > std::numeric_limits<unsigned short>::max()) return std::string();
    // Another worksheet of the same file may have been read since.
    if (freexl_select_active_worksheet(handle_.get(), index_) != FREEXL_OK) {
      return Status::Error(StatusCode::kBadFile, "Cannot read " + description_ + ".");
    }
    FreeXL_CellValue cell;
    int rc = freexl_get_cell_value(handle_.get(), static_cast<unsigned int>(row - 1),
                                   static_cast<unsigned short>(column - 1), &cell);
    if (rc == FREEXL_ILLEGAL_CELL_ROW_COL) return std::string();  // outside the used range
    if (rc != FREEXL_OK) {
      return Status::Error(StatusCode::kBadFile, "Cannot read cell " + place + " (FreeXL error " +
                                                     std::to_string(rc) + ").");
    }
    return CellText(cell);
  }

 private:
  Handle handle_;
  unsigned short index_;
  std::string description_;  // sheet and workbook, for error descriptions
};

class XlsWorkbook : public Workbook {
 public:
  XlsWorkbook(Handle handle, std::string windowsPath)
      : handle_(std::move(handle)), windowsPath_(std::move(windowsPath)) {}

  // Sheet names match without regard to case, as in the spreadsheet application.
  Result<std::shared_ptr<Worksheet>> Sheet(std::string_view name) override {
    unsigned int count = 0;
    freexl_get_info(handle_.get(), FREEXL_BIFF_SHEET_COUNT, &count);
    for (unsigned int index = 0; index < count; ++index) {
      const char* sheetName = nullptr;
      if (freexl_get_worksheet_name(handle_.get(), static_cast<unsigned short>(index),
                                    &sheetName) != FREEXL_OK ||
          !sheetName || !SameNameIgnoringCase(sheetName, name)) {
        continue;
      }
      return std::shared_ptr<Worksheet>(std::make_shared<XlsWorksheet>(
          handle_, static_cast<unsigned short>(index),
          "sheet \"" + std::string(sheetName) + "\" of workbook \"" + windowsPath_ + "\""));
    }
    return Status::Error(
        StatusCode::kBadFile,
        "The workbook \"" + windowsPath_ + "\" has no sheet \"" + std::string(name) + "\".");
  }

 private:
  Handle handle_;
  std::string windowsPath_;
};

}  // namespace

Result<std::shared_ptr<Workbook>> OpenXlsWorkbook(const std::filesystem::path& hostPath,
                                                  std::string_view windowsPath) {
  std::string prefix = "Cannot open workbook \"" + std::string(windowsPath) + "\": ";
  std::error_code ec;
  if (!std::filesystem::exists(hostPath, ec)) {
    return Status::Error(StatusCode::kFileError, prefix + "the file does not exist.");
  }
  const void* raw = nullptr;
  int rc = freexl_open(hostPath.c_str(), &raw);
  // FreeXL wants its handle closed even when the open failed.
  Handle handle(raw, [](const void* h) { freexl_close(h); });
  if (rc == FREEXL_FILE_NOT_FOUND) {
    return Status::Error(StatusCode::kFileError, prefix + "the file cannot be read.");
  }
  if (rc != FREEXL_OK) {
    return Status::Error(
        StatusCode::kBadFile,
        prefix + "the file is not a readable workbook (FreeXL error " + std::to_string(rc) + ").");
  }
  unsigned int password = 0;
  if (freexl_get_info(raw, FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK &&
      password == FREEXL_BIFF_OBFUSCATED) {
    return Status::Error(StatusCode::kBadFile, prefix + "the workbook is password-protected.");
  }
  return std::shared_ptr<Workbook>(
      std::make_shared<XlsWorkbook>(std::move(handle), std::string(windowsPath)));
}

}  // namespace kv
