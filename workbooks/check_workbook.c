// SPDX-License-Identifier: GPL-3.0-or-later
// Opens each .xls file named on the command line with FreeXL and reads every
// cell of every sheet, so that a workbook FreeXL cannot read is caught when it
// is generated rather than when the program starts.
#include <freexl.h>
#include <stdio.h>

static int ReadAllCells(const void* book) {
  unsigned int sheets = 0;
  int rc = freexl_get_info(book, FREEXL_BIFF_SHEET_COUNT, &sheets);
  for (unsigned short s = 0; rc == FREEXL_OK && s < sheets; ++s) {
    unsigned int rows = 0;
    unsigned short columns = 0;
    rc = freexl_select_active_worksheet(book, s);
    if (rc == FREEXL_OK) rc = freexl_worksheet_dimensions(book, &rows, &columns);
    for (unsigned int r = 0; rc == FREEXL_OK && r < rows; ++r) {
      for (unsigned short c = 0; rc == FREEXL_OK && c < columns; ++c) {
        FreeXL_CellValue value;
        rc = freexl_get_cell_value(book, r, c, &value);
      }
    }
  }
  return rc;
}

int main(int argc, char** argv) {
  int failed = 0;
  for (int i = 1; i < argc; ++i) {
    const void* book = NULL;
    int rc = freexl_open(argv[i], &book);
    if (rc == FREEXL_OK) rc = ReadAllCells(book);
    freexl_close(book);
    if (rc != FREEXL_OK) {
      fprintf(stderr, "%s: FreeXL cannot read it (error %d)\n", argv[i], rc);
      failed = 1;
    }
  }
  return failed;
}
