// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/code_page.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(CodePageTest, ControllerTextsBecomeUtf8) {
  struct Case {
    std::string bytes;
    int language;
    std::string utf8;
  } cases[] = {
      {"\x83\x8F\x81\x5B\x83\x4E\x96\xBC", 0, "ワーク名"},
      {"Ra     0.123 \xB5m", 1, "Ra     0.123 µm"},
      {"\xB2\xE2\xC1\xBF", 4, "测量"},
      {"\xC3\xF8\xC1\xA4", 5, "측정"},
      {"ab\x83", 0, "ab\xEF\xBF\xBD"},  // a lead byte without its second byte
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CodePageToUtf8(c.bytes, CodePageOfLanguage(c.language)), c.utf8) << c.language;
  }
}

}  // namespace
}  // namespace kv
