// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer: any bytes as an .xls workbook, opened with FreeXL and read as the
// language and certificate workbooks are.
#include <fstream>

#include "platform/spreadsheet/xls_workbook.h"
#include "temp_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // FreeXL reads from a file only; one folder per process.
  static kvtest::TempFolder folder;
  static const std::filesystem::path path = folder.path() / "Language.xls";
  std::filesystem::remove(path);  // ext4 flushes a file truncated to nothing to the disk
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  auto workbook = kv::OpenXlsWorkbook(path, "C:\\Language.xls");
  if (!workbook.ok()) return 0;
  for (const char* name : {"Language", "Certificate"}) {
    auto sheet = workbook.value()->Sheet(name);
    if (!sheet.ok()) continue;
    // The texts' rows and the first language columns, and cells far outside.
    for (int row = 1; row <= 56; ++row) {
      for (int column = 1; column <= 4; ++column) (void)sheet.value()->CellValue(row, column);
    }
    for (auto [row, column] : {std::pair{0, 1}, {2, 257}, {65536, 2}, {1, 70000}}) {
      (void)sheet.value()->CellValue(row, column);
    }
  }
  return 0;
}
