// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/language_texts.h"

#include <filesystem>

#include "platform/spreadsheet/xls_workbook.h"

namespace kv {

Status LoadLanguageTexts(const FileSystem& files, const std::string& appFolder, int languageIndex,
                         LanguageTable& texts) {
  const std::string path = appFolder + "\\Language.xls";
  // FreeXL takes a junk file of any size into memory: the workbook is checked first.
  std::error_code error;
  const auto size = std::filesystem::file_size(files.drives().HostPath(path), error);
  if (!error && size > kLanguageWorkbookBytes) {
    return Status::Error(StatusCode::kBadFile, "\"" + path + "\" is larger than " +
                                                   std::to_string(kLanguageWorkbookBytes) +
                                                   " bytes: it is not the language workbook.");
  }
  auto workbook = OpenXlsWorkbook(files.drives().HostPath(path), path);
  if (!workbook.ok()) return workbook.status();
  auto sheet = workbook.value()->Sheet("Language");
  if (!sheet.ok()) return sheet.status();
  LanguageTable loaded;
  for (int n = 0; n < kLoadedTexts; ++n) {
    auto value = sheet.value()->CellValue(n + 2, languageIndex + 2);
    if (!value.ok()) return value.status();
    loaded[static_cast<std::size_t>(n)] = value.value();
  }
  texts = std::move(loaded);
  return Status::Ok();
}

}  // namespace kv
