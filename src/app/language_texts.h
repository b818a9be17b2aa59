// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/file_system.h"

namespace kv {

// The window texts and messages, by number: 0 to 52 come from the language
// workbook, 53 to 100 stay empty. Texts are UTF-8.
using LanguageTable = std::array<std::string, 101>;
inline constexpr int kLoadedTexts = 53;
// The language workbook is a few kilobytes; anything this large is not it.
inline constexpr std::uintmax_t kLanguageWorkbookBytes = std::uintmax_t{16} * 1024 * 1024;

// Reads texts 0 to 52 for `languageIndex` from `appFolder`\Language.xls,
// sheet "Language": text n in row n + 2, language i in column i + 2. The
// table changes only when every text was read.
Status LoadLanguageTexts(const FileSystem& files, const std::string& appFolder, int languageIndex,
                         LanguageTable& texts);

}  // namespace kv
