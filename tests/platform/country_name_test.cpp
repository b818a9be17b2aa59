// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/locale/country_name.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(CountryNameTest, TerritoryOfTheLocaleInUpperCaseEnglish) {
  const std::pair<const char*, const char*> cases[] = {
      {"zh_CN.GB18030", "PEOPLE'S REPUBLIC OF CHINA"},
      {"zh_TW", "TAIWAN"},
      {"de_DE@euro", "GERMANY"},
      {"C.UTF-8", ""},
      {"xx_QQ.UTF-8", ""},
  };
  for (auto [locale, country] : cases) EXPECT_EQ(CountryNameOfLocale(locale), country) << locale;
}

// LANG alone: WindowTest's offline window in the Japanese font.
TEST(CountryNameTest, LcAllComesBeforeLang) {
  ::unsetenv("LC_CTYPE");
  ::setenv("LANG", "ja_JP.UTF-8", 1);
  ::setenv("LC_ALL", "ko_KR.UTF-8", 1);
  EXPECT_EQ(GetCountryName(), "KOREA");
  ::setenv("LC_ALL", "C", 1);
  EXPECT_EQ(GetCountryName(), "");
  ::unsetenv("LC_ALL");
  ::unsetenv("LANG");
}

}  // namespace
}  // namespace kv
