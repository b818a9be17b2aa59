// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/language_texts.h"

#include <gtest/gtest.h>

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
  const std::pair<int, const char*> cases[] = {{0, "印刷"},     {1, "Print"}, {2, "Drucken"},
                                               {3, "Imprimer"}, {4, "打印"},  {5, "인쇄"},
                                               {6, "Print"},    {16, "Print"}};  // text 33
  for (const auto& [language, print] : cases) {
    LanguageTable table;
    ASSERT_TRUE(Load(language, table).ok());
    EXPECT_EQ(table[33], print) << language;
    for (std::size_t n = 0; n < table.size(); ++n) {
      const bool loaded = n < kLoadedTexts && n != 9 && n != 28;  // 9 and 28 are unused
      EXPECT_EQ(table[n].empty(), !loaded) << language << " text " << n;
    }
  }
}

// The table keeps its texts when the workbook is missing, damaged or has no
// "Language" sheet; the failure names what it lacked.
TEST_F(LanguageTextsTest, FailuresNameTheWorkbookAndLeaveTheTable) {
  const auto workbook = program.path() / "Language.xls";
  const std::pair<std::string, const char*> cases[] = {
      {"", "Language.xls"},  // no file
      {"not a workbook", "Language.xls"},
      {kvtest::ReadBytes(KV_WORKBOOKS_DIR "/KV_Certificate.xls"), "Language"},
      // Damaged files the workbook library itself crashes on or floods memory with
      // (the memory limit ends it, or in a slow sanitized build the time limit).
      {kvtest::ReadBytes(KV_FUZZ_CRASHES "/freexl-open-segv.xls"), "crashed (signal 11"},
      {kvtest::ReadBytes(KV_FUZZ_CRASHES "/freexl-open-memory.xls"), "reading it took"},
  };
  for (const auto& [bytes, named] : cases) {
    std::filesystem::remove(workbook);
    if (!bytes.empty()) kvtest::WriteBytes(workbook, bytes);
    LanguageTable table;
    table[0] = "kept";
    const Status loaded = Load(1, table);
    EXPECT_NE(loaded.description().find(named), std::string::npos) << loaded.description();
    EXPECT_EQ(table[0], "kept");
  }
}

}  // namespace
}  // namespace kv
