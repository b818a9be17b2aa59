// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/spreadsheet/xls_cells.h"

#include <cstdint>
#include <cstring>

namespace kv {
namespace {

void PutNumber(std::string& out, std::int32_t number) {
  char bytes[sizeof number];
  std::memcpy(bytes, &number, sizeof number);  // the same process image reads it
  out.append(bytes, sizeof bytes);
}

void PutText(std::string& out, const std::string& text) {
  PutNumber(out, static_cast<std::int32_t>(text.size()));
  out += text;
}

class Reader {
 public:
  explicit Reader(const std::string& bytes) : bytes_(bytes) {}
  bool AtEnd() const { return at_ == bytes_.size(); }
  std::optional<std::int32_t> Number() {
    std::int32_t number = 0;
    if (bytes_.size() - at_ < sizeof number) return std::nullopt;
    std::memcpy(&number, bytes_.data() + at_, sizeof number);
    at_ += sizeof number;
    return number;
  }
  std::optional<std::string> Text() {
    auto size = Number();
    if (!size || *size < 0 || bytes_.size() - at_ < static_cast<std::size_t>(*size)) {
      return std::nullopt;
    }
    std::string text = bytes_.substr(at_, static_cast<std::size_t>(*size));
    at_ += text.size();
    return text;
  }

 private:
  const std::string& bytes_;
  std::size_t at_ = 0;
};

bool DecodeSheet(Reader& in, SheetCells& sheet) {
  auto count = in.Number();
  if (!count || *count < 0) return false;
  for (std::int32_t i = 0; i < *count; ++i) {
    auto row = in.Number();
    auto column = in.Number();
    auto text = in.Text();
    if (!row || !column || !text) return false;
    sheet.cells[{*row, *column}] = std::move(*text);
  }
  return true;
}

}  // namespace

// Open result, password flag, sheet count, then per sheet its name, cell
// count and cells (row, column, text).
std::string EncodeCells(const WorkbookCells& workbook) {
  std::string out;
  PutNumber(out, workbook.openResult);
  PutNumber(out, workbook.passwordProtected ? 1 : 0);
  PutNumber(out, static_cast<std::int32_t>(workbook.sheets.size()));
  for (const SheetCells& sheet : workbook.sheets) {
    PutText(out, sheet.name);
    PutNumber(out, static_cast<std::int32_t>(sheet.cells.size()));
    for (const auto& [place, text] : sheet.cells) {
      PutNumber(out, place.first);
      PutNumber(out, place.second);
      PutText(out, text);
    }
  }
  return out;
}

std::optional<WorkbookCells> DecodeCells(const std::string& bytes) {
  Reader in(bytes);
  WorkbookCells workbook;
  auto openResult = in.Number();
  auto password = in.Number();
  auto sheets = in.Number();
  if (!openResult || !password || !sheets || *sheets < 0) return std::nullopt;
  workbook.openResult = *openResult;
  workbook.passwordProtected = *password != 0;
  for (std::int32_t i = 0; i < *sheets; ++i) {
    SheetCells sheet;
    auto name = in.Text();
    if (!name) return std::nullopt;
    sheet.name = std::move(*name);
    if (!DecodeSheet(in, sheet)) return std::nullopt;
    workbook.sheets.push_back(std::move(sheet));
  }
  if (!in.AtEnd()) return std::nullopt;
  return workbook;
}

}  // namespace kv
