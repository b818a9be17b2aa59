// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/app_folder.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace kv {
namespace {

TEST(AppFolderTest, BesideTheProgramInABuildTreeElseTheInstallDataFolder) {
  kvtest::TempFolder root;
  const auto build = root.path() / "build" / "src" / "ui";
  kvtest::WriteBytes(build / "Language.xls", "workbook");
  const auto installed = root.path() / "usr" / "bin";
  std::filesystem::create_directories(installed);

  struct Case {
    std::filesystem::path program, data, expected;
  } cases[] = {
      {build, "/usr/share/kvcom", build},
      {installed, "/usr/share/kvcom", "/usr/share/kvcom"},
      // Relative: found from the program's folder, wherever the tree was put.
      {installed, "../share/kvcom", root.path() / "usr" / "share" / "kvcom"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AppFolder(c.program, c.data), c.expected) << c.program << " " << c.data;
  }
  EXPECT_EQ(AppFolder("/usr/bin"), "/usr/share/kvcom");  // this build's data folder
}

}  // namespace
}  // namespace kv
