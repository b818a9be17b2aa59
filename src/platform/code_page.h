// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace kv {

// The ANSI code page the controller's texts and the result files use for a
// controller language: "CP932" for Japanese, "CP936" Chinese, "CP949"
// Korean, "CP1252" otherwise.
const char* CodePageOfLanguage(int languageIndex);

// Text in a code page as UTF-8; bytes that do not convert become U+FFFD.
std::string CodePageToUtf8(std::string_view bytes, const char* codePage);

// UTF-8 text in a code page; a character the code page lacks becomes "?".
std::string Utf8ToCodePage(std::string_view utf8, const char* codePage);

}  // namespace kv
