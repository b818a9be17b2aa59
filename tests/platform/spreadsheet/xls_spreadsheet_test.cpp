// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/spreadsheet/xls_spreadsheet.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

// The long text of the test workbook: digits 0-9 repeated.
std::string LongText() {
  std::string text;
  for (int i = 0; i < 4110; ++i) text += static_cast<char>('0' + i % 10);
  return text;
}

class XlsSpreadsheetTest : public ::testing::Test {
 protected:
  XlsSpreadsheetApp MakeApp() {
    MacroTable macros{
        {"CreateCertifcate",
         [this](const MacroCall& call) {
           ran_.push_back(call.workbook);
           return Status::Ok();
         }},
        {"AutoPrint", [](const MacroCall&) { return Status::Error("No printer is installed."); }},
    };
    return XlsSpreadsheetApp(DriveMap(driveC_), std::move(macros));
  }

  // Windows path of a host file: below drive C: or through drive Z:.
  std::string WindowsPath(const fs::path& host) const {
    return DriveMap(driveC_).WindowsPath(host);
  }

  std::shared_ptr<Worksheet> OpenSheet(XlsSpreadsheetApp& app, const fs::path& book,
                                       std::string_view sheet) {
    auto workbook = app.Open(WindowsPath(book));
    EXPECT_TRUE(workbook.ok()) << workbook.status().description();
    if (!workbook.ok()) return nullptr;
    auto worksheet = workbook.value()->Sheet(sheet);
    EXPECT_TRUE(worksheet.ok()) << worksheet.status().description();
    return worksheet.ok() ? worksheet.value() : nullptr;
  }

  kvtest::TempFolder drive_;
  const fs::path& driveC_ = drive_.path();
  std::vector<fs::path> ran_;
};

TEST_F(XlsSpreadsheetTest, ReadsEveryKindOfCell) {
  auto app = MakeApp();
  auto workbook = app.Open(WindowsPath(KV_TEST_BOOK));
  ASSERT_TRUE(workbook.ok()) << workbook.status().description();
  auto language = workbook.value()->Sheet("Language");
  auto other = workbook.value()->Sheet("other");  // names match without regard to case
  ASSERT_TRUE(language.ok() && other.ok());

  struct Case {
    const char* what;
    const Worksheet& sheet;
    int row, column;
    std::string expected;
  };
  const Worksheet& l = *language.value();
  const Worksheet& o = *other.value();
  // Rows alternate between the two sheets: each read must find its own sheet.
  const Case cases[] = {
      {"heading", l, 1, 1, "No."},
      {"second sheet", o, 1, 1, "Other sheet"},
      {"Japanese text", l, 2, 2, "データファイル"},
      {"second sheet number", o, 2, 2, "12345678.25"},
      {"English text", l, 2, 3, "Data file"},
      {"empty cell", l, 3, 2, ""},
      {"second sheet empty cell", o, 2, 1, ""},
      {"integer", l, 4, 2, "42"},
      {"fraction", l, 4, 3, "3.5"},
      {"small fraction", l, 5, 2, "0.001"},
      {"negative", l, 5, 3, "-7"},
      {"row number", l, 7, 1, "5"},
      {"long text", l, 6, 2, LongText()},
      {"after long text", l, 6, 3, "after long"},
      {"date", l, 7, 2, "2024-03-15"},
      {"date and time", l, 7, 3, "2024-03-15 18:00:00"},
      {"below the last row", l, 8, 2, ""},
      {"right of the last column", l, 2, 4, ""},
      {"far outside", l, 60000, 200, ""},
      {"column past 16 bits", l, 1, 65537, ""},
  };
  for (const Case& c : cases) {
    auto value = c.sheet.CellValue(c.row, c.column);
    ASSERT_TRUE(value.ok()) << c.what << ": " << value.status().description();
    EXPECT_EQ(value.value(), c.expected) << c.what;
  }
}

TEST_F(XlsSpreadsheetTest, ReportsWhatFailed) {
  kvtest::WriteBytes(driveC_ / "Garbage.xls", std::string(3000, '\x5a'));
  kvtest::WriteBytes(driveC_ / "Empty.xls", "");
  kvtest::WriteBytes(driveC_ / "Truncated.xls", kvtest::ReadBytes(KV_TEST_BOOK).substr(0, 4608));
  auto app = MakeApp();
  auto openSheet = [&](std::string_view sheet) {
    auto workbook = app.Open(WindowsPath(KV_TEST_BOOK));
    return workbook.ok() ? workbook.value()->Sheet(sheet).status() : workbook.status();
  };

  struct Case {
    const char* what;
    std::function<Status()> action;
    std::string expected;
  } const cases[] = {
      {"missing workbook",
       [&] { return app.Open("C:\\Tarnwick Corvanet\\KV-730\\Language.xls").status(); },
       "Cannot open workbook \"C:\\Tarnwick Corvanet\\KV-730\\Language.xls\": the file does not "
       "exist."},
      {"garbage", [&] { return app.Open("C:\\Garbage.xls").status(); },
       "Cannot open workbook \"C:\\Garbage.xls\": the file is not a readable workbook"},
      {"empty file", [&] { return app.Open("C:\\Empty.xls").status(); },
       "Cannot open workbook \"C:\\Empty.xls\": the file is not a readable workbook"},
      {"truncated workbook", [&] { return app.Open("C:\\Truncated.xls").status(); },
       "Cannot open workbook \"C:\\Truncated.xls\": the file is not a readable workbook"},
      {"missing sheet", [&] { return openSheet("Sprache"); },
       "The workbook \"" + WindowsPath(KV_TEST_BOOK) + "\" has no sheet \"Sprache\"."},
      {"row 0",
       [&] {
         auto sheet = OpenSheet(app, KV_TEST_BOOK, "Language");
         return sheet ? sheet->CellValue(0, 2).status() : Status::Error("no sheet");
       },
       "Cell (0, 2) of sheet \"Language\" of workbook \"" + WindowsPath(KV_TEST_BOOK) +
           "\" does not exist"},
      {"no workbook open",
       [&] {
         app.Quit();
         return app.Run("CreateCertifcate");
       },
       "Cannot run the macro \"CreateCertifcate\": no workbook is open."},
      {"unknown macro",
       [&] {
         (void)app.Open(WindowsPath(KV_TEST_BOOK));
         return app.Run("CreateCertificate");
       },
       "Cannot run the macro \"CreateCertificate\": the workbook \"" + WindowsPath(KV_TEST_BOOK) +
           "\" has no such macro."},
      {"failing macro",
       [&] {
         (void)app.Open(WindowsPath(KV_TEST_BOOK));
         return app.Run("AutoPrint");
       },
       "No printer is installed."},
  };
  for (const Case& c : cases) {
    Status status = c.action();
    ASSERT_FALSE(status.ok()) << c.what;
    EXPECT_EQ(status.description().substr(0, c.expected.size()), c.expected) << c.what;
  }
  EXPECT_TRUE(ran_.empty());
}

TEST_F(XlsSpreadsheetTest, AcceptsAnotherActionAfterQuit) {
  auto app = MakeApp();
  app.SetVisible(true);
  app.SetDisplayAlerts(false);
  auto sheet = OpenSheet(app, KV_TEST_BOOK, "Language");
  ASSERT_TRUE(sheet);
  EXPECT_TRUE(app.Run("CreateCertifcate").ok());
  app.Quit();
  EXPECT_FALSE(app.Visible());
  EXPECT_FALSE(app.DisplayAlerts());
  EXPECT_FALSE(app.Run("CreateCertifcate").ok());
  EXPECT_EQ(sheet->CellValue(2, 3).value(), "Data file");  // still readable after Quit

  ASSERT_TRUE(app.Open(WindowsPath(KV_TEST_BOOK)).ok());
  EXPECT_TRUE(app.Run("CreateCertifcate").ok());
  EXPECT_EQ(ran_, (std::vector<fs::path>{KV_TEST_BOOK, KV_TEST_BOOK}));
}

TEST_F(XlsSpreadsheetTest, OpensThroughWindowsPathOfAnotherCase) {
  fs::path folder = driveC_ / "Tarnwick Corvanet" / "KV-730";
  fs::create_directories(folder);
  fs::copy_file(KV_TEST_BOOK, folder / "KV_Certificate.xls");
  auto app = MakeApp();

  auto workbook = app.Open("c:\\TARNWICK CORVANET\\kv-730\\kv_certificate.XLS");
  ASSERT_TRUE(workbook.ok()) << workbook.status().description();
  EXPECT_TRUE(workbook.value()->Sheet("Language").ok());
  ASSERT_TRUE(app.Run("CreateCertifcate").ok());
  EXPECT_EQ(ran_, (std::vector<fs::path>{folder / "KV_Certificate.xls"}));
}

}  // namespace
}  // namespace kv
