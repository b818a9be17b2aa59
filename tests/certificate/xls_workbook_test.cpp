// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/spreadsheet/xls_workbook.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

constexpr const char* kBookName = "C:\\KV\\test_book.xls";  // the caller's name for it

// The cell's text, or the error's.
std::string Cell(const Worksheet& sheet, int row, int column) {
  auto value = sheet.CellValue(row, column);
  return value.ok() ? value.value() : "error: " + value.status().description();
}

TEST(XlsWorkbookTest, ReadsEveryKindOfCell) {
  auto workbook = OpenXlsWorkbook(KV_TEST_BOOK, kBookName);
  ASSERT_TRUE(workbook.ok()) << workbook.status().description();
  auto language = workbook.value()->Sheet("Language");
  auto other = workbook.value()->Sheet("other");  // names match without regard to case
  ASSERT_TRUE(language.ok() && other.ok());
  std::string longText;  // digits 0-9 repeated: a cut shows
  for (int i = 0; i < 4110; ++i) longText += static_cast<char>('0' + i % 10);
  const std::vector<std::vector<std::string>> rows = {
      // one column and row past the used range
      {"No.", "Japanese", "English", ""},
      {"0", "データファイル", "Data file", ""},
      {"1", "", "Standard", ""},
      {"2", "42", "3.5", ""},
      {"3", "0.001", "-7", ""},
      {"4", longText, "after long", ""},
      {"5", "2024-03-15", "2024-03-15 18:00:00", ""},
      {"", "", "", ""}};
  for (int row = 1; row <= 8; ++row) {
    for (int column = 1; column <= 4; ++column) {
      EXPECT_EQ(Cell(*language.value(), row, column), rows[row - 1][column - 1]);
      // Reads alternate between the two sheets: each must find its own.
      EXPECT_EQ(Cell(*other.value(), 2, 2), "12345678.25");
    }
  }
  EXPECT_EQ(Cell(*language.value(), 1, 65537), "");  // a column past 16 bits
  workbook.value().reset();                          // its sheets keep the file open
  EXPECT_EQ(Cell(*language.value(), 2, 3), "Data file");
}

}  // namespace
}  // namespace kv
