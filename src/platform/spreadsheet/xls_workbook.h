// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>
#include <string_view>

#include "platform/spreadsheet/workbook.h"
#include "platform/status.h"

namespace kv {

// Opens the .xls file at `hostPath` with FreeXL. `windowsPath` is the name the
// caller used; error descriptions show it. The workbook and its worksheets
// share the FreeXL handle, which is closed when the last of them is released,
// and read their cells on demand. Not thread-safe: all share one handle.
Result<std::shared_ptr<Workbook>> OpenXlsWorkbook(const std::filesystem::path& hostPath,
                                                  std::string_view windowsPath);

}  // namespace kv
