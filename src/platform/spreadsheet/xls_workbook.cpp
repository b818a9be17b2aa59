// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/spreadsheet/xls_workbook.h"

#include <freexl.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>
#include <string>
#include <system_error>
#include <utility>

#include "platform/child_run.h"
#include "platform/spreadsheet/xls_cells.h"

namespace kv {
namespace {

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

// Every sheet's non-empty cells; runs in the child, where FreeXL may crash.
WorkbookCells ReadCells(const std::filesystem::path& hostPath) {
  WorkbookCells workbook;
  const void* raw = nullptr;
  workbook.openResult = freexl_open(hostPath.c_str(), &raw);
  // FreeXL wants its handle closed even when the open failed.
  std::unique_ptr<const void, int (*)(const void*)> handle(raw, freexl_close);
  if (workbook.openResult != FREEXL_OK) return workbook;
  unsigned int password = 0;
  workbook.passwordProtected = freexl_get_info(raw, FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK &&
                               password == FREEXL_BIFF_OBFUSCATED;
  unsigned int count = 0;
  freexl_get_info(raw, FREEXL_BIFF_SHEET_COUNT, &count);
  for (unsigned int sheetIndex = 0; sheetIndex < count && sheetIndex <= 0xFFFF; ++sheetIndex) {
    const auto index = static_cast<unsigned short>(sheetIndex);
    const char* name = nullptr;
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_get_worksheet_name(raw, index, &name) != FREEXL_OK || !name ||
        freexl_select_active_worksheet(raw, index) != FREEXL_OK ||
        freexl_worksheet_dimensions(raw, &rows, &columns) != FREEXL_OK) {
      continue;
    }
    SheetCells& sheet = workbook.sheets.emplace_back(SheetCells{name, {}});
    for (unsigned int row = 0; row < rows; ++row) {
      for (unsigned short column = 0; column < columns; ++column) {
        FreeXL_CellValue cell;
        if (freexl_get_cell_value(raw, row, column, &cell) != FREEXL_OK) continue;
        std::string text = CellText(cell);
        if (!text.empty()) sheet.cells[{int(row) + 1, int(column) + 1}] = std::move(text);
      }
    }
  }
  return workbook;
}

class XlsWorksheet : public Worksheet {
 public:
  XlsWorksheet(std::shared_ptr<const WorkbookCells> workbook, const SheetCells& sheet,
               std::string description)
      : workbook_(std::move(workbook)), sheet_(sheet), description_(std::move(description)) {}

  Result<std::string> CellValue(int row, int column) const override {
    if (row < 1 || column < 1) {
      return Status::Error(StatusCode::kFailed, "Cell (" + std::to_string(row) + ", " +
                                                    std::to_string(column) + ") of " +
                                                    description_ +
                                                    " does not exist: rows and columns count "
                                                    "from 1.");
    }
    auto found = sheet_.cells.find({row, column});
    return found == sheet_.cells.end() ? std::string() : found->second;
  }

 private:
  std::shared_ptr<const WorkbookCells> workbook_;  // keeps sheet_ alive
  const SheetCells& sheet_;
  std::string description_;  // sheet and workbook, for error descriptions
};

class XlsWorkbook : public Workbook {
 public:
  XlsWorkbook(std::shared_ptr<const WorkbookCells> cells, std::string windowsPath)
      : cells_(std::move(cells)), windowsPath_(std::move(windowsPath)) {}

  // Sheet names match without regard to case, as in the spreadsheet application.
  Result<std::shared_ptr<Worksheet>> Sheet(std::string_view name) override {
    for (const SheetCells& sheet : cells_->sheets) {
      if (!SameNameIgnoringCase(sheet.name, name)) continue;
      return std::shared_ptr<Worksheet>(std::make_shared<XlsWorksheet>(
          cells_, sheet, "sheet \"" + sheet.name + "\" of workbook \"" + windowsPath_ + "\""));
    }
    return Status::Error(
        StatusCode::kBadFile,
        "The workbook \"" + windowsPath_ + "\" has no sheet \"" + std::string(name) + "\".");
  }

 private:
  std::shared_ptr<const WorkbookCells> cells_;
  std::string windowsPath_;
};

// FreeXL 1.0.6 crashes, over-reads or takes tens of gigabytes on some damaged
// files, so it reads apart, bounded; the cells come back through a pipe.
constexpr ChildLimits kReadLimits{std::size_t{512} << 20, std::chrono::seconds(10),
                                  std::size_t{64} << 20};

}  // namespace

Result<std::shared_ptr<Workbook>> OpenXlsWorkbook(const std::filesystem::path& hostPath,
                                                  std::string_view windowsPath) {
  std::string prefix = "Cannot open workbook \"" + std::string(windowsPath) + "\": ";
  std::error_code ec;
  if (!std::filesystem::exists(hostPath, ec)) {
    return Status::Error(StatusCode::kFileError, prefix + "the file does not exist.");
  }
  auto bytes = RunInChild([&] { return EncodeCells(ReadCells(hostPath)); }, kReadLimits);
  if (!bytes.ok()) {
    return Status::Error(bytes.status().code(), prefix + bytes.status().description());
  }
  auto cells = DecodeCells(bytes.value());
  if (!cells) return Status::Error(StatusCode::kBadFile, prefix + "reading it failed.");
  if (cells->openResult == FREEXL_FILE_NOT_FOUND) {
    return Status::Error(StatusCode::kFileError, prefix + "the file cannot be read.");
  }
  if (cells->openResult == FREEXL_INSUFFICIENT_MEMORY) {
    return Status::Error(StatusCode::kBadFile, prefix + "reading it took more than " +
                                                   std::to_string(kReadLimits.memoryBytes >> 20) +
                                                   " MB: the file is damaged or not a workbook.");
  }
  if (cells->openResult != FREEXL_OK) {
    return Status::Error(StatusCode::kBadFile,
                         prefix + "the file is not a readable workbook (FreeXL error " +
                             std::to_string(cells->openResult) + ").");
  }
  if (cells->passwordProtected) {
    return Status::Error(StatusCode::kBadFile, prefix + "the workbook is password-protected.");
  }
  return std::shared_ptr<Workbook>(std::make_shared<XlsWorkbook>(
      std::make_shared<const WorkbookCells>(std::move(*cells)), std::string(windowsPath)));
}

}  // namespace kv
