// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/language_texts.h"

#include <gtest/gtest.h>
#include <QFont>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "platform/spreadsheet/xls_spreadsheet.h"
#include "temp_folder.h"
#include "ui/country_font.h"
#include "ui/kv_com.h"

namespace kv {
namespace {

// The program's folder with a language workbook in it.
struct AppFolder {
  explicit AppFolder(const std::filesystem::path& workbook) {
    std::filesystem::copy_file(workbook, folder.path() / "Language.xls");
  }
  std::string Windows() const { return drives.WindowsPath(folder.path()); }
  SpreadsheetFactory Factory() const {
    return [this]() -> Result<std::unique_ptr<SpreadsheetApp>> {
      return std::unique_ptr<SpreadsheetApp>(
          std::make_unique<XlsSpreadsheetApp>(drives, MacroTable{}));
    };
  }
  kvtest::TempFolder folder;
  DriveMap drives{folder.path()};
};

TEST(LanguageTextsTest, EveryShippedColumnLoads) {
  AppFolder app(KV_WORKBOOKS_DIR "/Language.xls");
  struct Case {
    int language;
    const char* print;  // text 33
  } cases[] = {{0, "印刷"}, {1, "Print"}, {2, "Drucken"}, {3, "Imprimer"},
               {4, "打印"}, {5, "인쇄"},  {6, "Print"},   {16, "Print"}};
  for (const auto& c : cases) {
    LanguageTable table;
    ASSERT_TRUE(LoadLanguageTexts(app.Factory(), app.Windows(), c.language, table).ok());
    EXPECT_EQ(table[33], c.print) << c.language;
    for (int n = 0; n < kLoadedTexts; ++n) {
      bool unused = n == 9 || n == 28;
      EXPECT_EQ(table[static_cast<std::size_t>(n)].empty(), unused) << c.language << " text " << n;
    }
    for (std::size_t n = kLoadedTexts; n < table.size(); ++n) EXPECT_EQ(table[n], "");
  }
}

TEST(LanguageTextsTest, TextNIsRowNPlusTwoLanguageIIsColumnIPlusTwo) {
  AppFolder app(KV_TEST_BOOK);
  LanguageTable japanese, english;
  ASSERT_TRUE(LoadLanguageTexts(app.Factory(), app.Windows(), 0, japanese).ok());
  ASSERT_TRUE(LoadLanguageTexts(app.Factory(), app.Windows(), 1, english).ok());
  EXPECT_EQ(japanese[0], "データファイル");
  EXPECT_EQ(english[0], "Data file");
  EXPECT_EQ(japanese[1], "");  // empty cell
  EXPECT_EQ(japanese[2], "42");
  EXPECT_EQ(english[2], "3.5");
  EXPECT_EQ(japanese[3], "0.001");
  EXPECT_EQ(english[3], "-7");
  EXPECT_GT(japanese[4].size(), 4000u);
  EXPECT_EQ(english[6], "");  // the sheet is shorter than 53 rows
}

TEST(LanguageTextsTest, FailuresLeaveTheTableAsItWas) {
  AppFolder app(KV_TEST_BOOK);
  LanguageTable table;
  table[0] = "kept";
  std::filesystem::remove(app.folder.path() / "Language.xls");
  Status missing = LoadLanguageTexts(app.Factory(), app.Windows(), 1, table);
  EXPECT_NE(missing.description().find("Language.xls"), std::string::npos);
  kvtest::WriteBytes(app.folder.path() / "Language.xls", "not a workbook");
  EXPECT_FALSE(LoadLanguageTexts(app.Factory(), app.Windows(), 1, table).ok());
  auto noSpreadsheet = []() -> Result<std::unique_ptr<SpreadsheetApp>> {
    return Status::Error("No spreadsheet application.");
  };
  EXPECT_FALSE(LoadLanguageTexts(noSpreadsheet, app.Windows(), 1, table).ok());
  EXPECT_EQ(table[0], "kept");

  AppFolder otherSheet(KV_WORKBOOKS_DIR "/KV_Certificate.xls");  // no sheet "Language"
  Status noSheet = LoadLanguageTexts(otherSheet.Factory(), otherSheet.Windows(), 1, table);
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
      {"KOREA", 129, "굴림", 9},
      {"PEOPLE'S REPUBLIC OF CHINA", 134, "宋体", 9},
      {"TAIWAN", 136, "新細明體", 9},
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

TEST(LanguageTextsTest, WindowShowsTheControllersLanguage) {
  kvtest::TempFolder drive;
  AppFolder app(KV_WORKBOOKS_DIR "/Language.xls");
  FileSystem files{DriveMap(drive.path())};
  struct NoTransport : Transport {
    int open(std::string_view) override { return 1; }
    void close() override {}
    int write(std::span<const std::uint8_t>) override { return 0; }
    int read(std::span<std::uint8_t>) override { return 0; }
  } transport;
  ::setenv("LANG", "ja_JP.UTF-8", 1);
  for (auto [language, print, frame] :
       {std::tuple{0, "印刷", "検査成績書"}, std::tuple{2, "Drucken", "Prüfzeugnis"}}) {
    Session session(transport, files, app.Factory());
    session.settings.AppFolder = app.Windows();
    session.settings.LanguageIndex = static_cast<std::int16_t>(language);
    KV_Com window(session);
    ASSERT_TRUE(window.LoadAndApplyLanguageTexts().ok());
    EXPECT_EQ(window.SheetPrint->text(), QString::fromUtf8(print));
    EXPECT_EQ(window.Frame8->title(), QString::fromUtf8(frame));
    EXPECT_EQ(window.Option4[0]->text(), "A4");
    EXPECT_EQ(window.SheetPrint->font().pointSize(), 9);
  }
  ::unsetenv("LANG");
}

}  // namespace
}  // namespace kv
