// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/language_texts.h"

#include <gtest/gtest.h>

#include <functional>

#include "temp_folder.h"

namespace kv {
namespace {

struct LanguageTextsTest : ::testing::Test {
  LanguageTextsTest() {
    std::filesystem::copy_file(KV_WORKBOOKS_DIR "/Language.xls", program.path() / "Language.xls");
  }
  Status Load(int language, LanguageTable& table) const {
    return LoadLanguageTexts(files, files.drives().WindowsPath(program.path()), language, table);
  }
  kvtest::TempFolder program;
  FileSystem files{DriveMap(program.path())};
};

TEST_F(LanguageTextsTest, EveryShippedColumnLoads) {
  struct Case {
    int language;
    const char* print;  // text 33
  } cases[] = {{0, "印刷"}, {1, "Print"}, {2, "Drucken"}, {3, "Imprimer"},
               {4, "打印"}, {5, "인쇄"},  {6, "Print"},   {16, "Print"}};
  for (const auto& c : cases) {
    LanguageTable table;
    ASSERT_TRUE(Load(c.language, table).ok());
    EXPECT_EQ(table[33], c.print) << c.language;
    for (int n = 0; n < kLoadedTexts; ++n) {
      bool unused = n == 9 || n == 28;
      EXPECT_EQ(table[static_cast<std::size_t>(n)].empty(), unused) << c.language << " text " << n;
    }
    for (std::size_t n = kLoadedTexts; n < table.size(); ++n) EXPECT_EQ(table[n], "");
  }
}

TEST_F(LanguageTextsTest, FailuresNameTheWorkbookAndLeaveTheTable) {
  const auto workbook = program.path() / "Language.xls";
  struct Case {
    const char* what;
    std::function<void()> damage;
    const char* named;
  } cases[] = {
      {"missing", [&] { std::filesystem::remove(workbook); }, "Language.xls"},
      {"not a workbook", [&] { kvtest::WriteBytes(workbook, "not a workbook"); }, "Language.xls"},
      {"no sheet",
       [&] {
         std::filesystem::copy_file(KV_WORKBOOKS_DIR "/KV_Certificate.xls", workbook,
                                    std::filesystem::copy_options::overwrite_existing);
       },
       "Language"},
  };
  for (const auto& c : cases) {
    LanguageTable table;
    table[0] = "kept";
    c.damage();
    const Status loaded = Load(1, table);
    EXPECT_NE(loaded.description().find(c.named), std::string::npos) << c.what;
    EXPECT_EQ(table[0], "kept") << c.what;
  }
}

}  // namespace
}  // namespace kv
