// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>
#include <string_view>

#include "platform/spreadsheet/workbook.h"
#include "platform/status.h"

namespace kv {

// Opens the .xls file at `hostPath` with FreeXL. `windowsPath` is the name the
// caller used; error descriptions show it. Every cell is read at once, in a
// child process; a file that crashes or floods the reader is refused as
// damaged. The workbook and its worksheets share the cells read.
Result<std::shared_ptr<Workbook>> OpenXlsWorkbook(const std::filesystem::path& hostPath,
                                                  std::string_view windowsPath);

}  // namespace kv
