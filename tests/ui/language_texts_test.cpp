// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/language_texts.h"

#include <gtest/gtest.h>
#include <QFont>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "ui/country_font.h"
#include "ui/window_fixture.h"

namespace kv {
namespace {

using LanguageTextsTest = WindowFixture;

TEST_F(LanguageTextsTest, EveryShippedColumnLoads) {
  struct Case {
    int language;
    const char* print;  // text 33
  } cases[] = {{0, "印刷"}, {1, "Print"}, {2, "Drucken"}, {3, "Imprimer"},
               {4, "打印"}, {5, "인쇄"},  {6, "Print"},   {16, "Print"}};
  for (const auto& c : cases) {
    LanguageTable table;
    ASSERT_TRUE(LoadLanguageTexts(Spreadsheet(), AppFolder(), c.language, table).ok());
    EXPECT_EQ(table[33], c.print) << c.language;
    for (int n = 0; n < kLoadedTexts; ++n) {
      bool unused = n == 9 || n == 28;
      EXPECT_EQ(table[static_cast<std::size_t>(n)].empty(), unused) << c.language << " text " << n;
    }
    for (std::size_t n = kLoadedTexts; n < table.size(); ++n) EXPECT_EQ(table[n], "");
  }
}

TEST_F(LanguageTextsTest, FailuresLeaveTheTableAsItWas) {
  LanguageTable table;
  table[0] = "kept";
  std::filesystem::remove(app.path() / "Language.xls");
  Status missing = LoadLanguageTexts(Spreadsheet(), AppFolder(), 1, table);
  EXPECT_NE(missing.description().find("Language.xls"), std::string::npos);
  kvtest::WriteBytes(app.path() / "Language.xls", "not a workbook");
  EXPECT_FALSE(LoadLanguageTexts(Spreadsheet(), AppFolder(), 1, table).ok());
  EXPECT_FALSE(LoadLanguageTexts(NoSpreadsheet(), AppFolder(), 1, table).ok());
  EXPECT_EQ(table[0], "kept");

  std::filesystem::copy_file(
      KV_WORKBOOKS_DIR "/KV_Certificate.xls", app.path() / "Language.xls",
      std::filesystem::copy_options::overwrite_existing);  // no sheet "Language"
  Status noSheet = LoadLanguageTexts(Spreadsheet(), AppFolder(), 1, table);
  EXPECT_NE(noSheet.description().find("Language"), std::string::npos);
  EXPECT_EQ(table[0], "kept");
}

TEST(CountryFontTest, CountryPicksTheFontRow) {
  struct Case {
    const char* country;
    int charset;
    const char* name;
    int size;
  } cases[] = {
      {"JAPAN", 128, "ＭＳ Ｐゴシック", 9},
      {"UNITED STATES", 1, "", 8},
      {"japan", 1, "", 8},  // the names compare exactly
      {"", 1, "", 8},
  };
  for (const auto& c : cases) {
    CountryFont font = CountryFontFor(c.country);
    EXPECT_EQ(font.Charset, c.charset) << c.country;
    EXPECT_EQ(font.Name, QString::fromUtf8(c.name)) << c.country;
    EXPECT_EQ(font.size, c.size) << c.country;
  }
  QFont designed("Arial");
  designed.setPointSizeF(9.75);
  designed.setBold(true);
  ApplyCountryFont(designed, "");
  EXPECT_EQ(designed.pointSize(), 8);
  EXPECT_EQ(designed.family(), "Arial");  // no face name: the designed face stays
  EXPECT_TRUE(designed.bold());           // weight is not the country's business
}

TEST_F(LanguageTextsTest, WindowShowsTheControllersLanguageInTheCountrysFont) {
  kvtest::WriteBytes(Work("Version.INI"), "Ver 1.102\r\n2\r\n");  // German, from an earlier run
  ::setenv("LANG", "ja_JP.UTF-8", 1);
  const StartupOutcome outcome = StartOffline();
  ::unsetenv("LANG");
  ASSERT_EQ(outcome, StartupOutcome::Offline);
  EXPECT_EQ(window->SheetPrint->text(), "Drucken");
  EXPECT_EQ(window->Frame8->title(), QString::fromUtf8("Prüfzeugnis"));
  EXPECT_EQ(window->Option4[0]->text(), "A4");
  EXPECT_EQ(window->SheetPrint->font().pointSize(), 9);  // the country's font: Japan
}

}  // namespace
}  // namespace kv
