// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/language_texts.h"

namespace kv {

Status LoadLanguageTexts(const SpreadsheetFactory& createSpreadsheet, const std::string& appFolder,
                         int languageIndex, LanguageTable& LangText) {
  auto created = createSpreadsheet();
  if (!created.ok()) return created.status();
  SpreadsheetApp& application = *created.value();
  auto workbook = application.Open(appFolder + "\\Language.xls");
  if (!workbook.ok()) return workbook.status();
  auto sheet = workbook.value()->Sheet("Language");
  if (!sheet.ok()) return sheet.status();
  application.SetVisible(false);

  LanguageTable loaded;
  for (int n = 0; n < kLoadedTexts; ++n) {
    auto value = sheet.value()->CellValue(n + 2, languageIndex + 2);
    if (!value.ok()) return value.status();
    loaded[static_cast<std::size_t>(n)] = value.value();
  }
  application.Quit();
  LangText = std::move(loaded);
  return Status::Ok();
}

}  // namespace kv
