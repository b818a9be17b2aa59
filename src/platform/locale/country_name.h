// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace kv {

// The English name of the country of the system locale, in upper case
// ("JAPAN"); empty when the locale names no country this table knows.
std::string GetCountryName();

// The same for a locale name such as "ja_JP.UTF-8".
std::string CountryNameOfLocale(std::string_view locale);

}  // namespace kv
