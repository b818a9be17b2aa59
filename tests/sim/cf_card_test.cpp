// SPDX-License-Identifier: GPL-3.0-or-later
// The CF card's listing and file replies, over the controller's real socket.
#include "sim/cf_card.h"

#include <string>

#include "socket_fixture.h"

namespace kvsim::test {
namespace {

// The listing's and the fetch's frames; `name` is what bytes 12-19 carry.
Bytes EntryRequest(std::uint8_t index, const std::string& name) {
  return Patched(Command(0x7006, 4, {0, 1, index}), 12, Text(name));
}
Bytes SizeRequest(std::uint8_t index, const std::string& name) {
  return Patched(Command(0x7007, 20, {0, 0, index}), 12, Text(name));
}
Bytes BlockRequest(const std::string& name) {
  return Patched(Command(0x7007, 32, {0, 1, 0x90, 0x01}), 12, Text(name));
}

// An entry: the listed name, a NUL and the date, time and size; nothing past the last.
Bytes Entry(const std::string& name = "", const std::string& size = "") {
  const std::string text = name.empty() ? "" : name + '\0' + "2024/05/17,10:30," + size;
  return Patched(Reply(0x7006, 24 + text.size()), 24, Text(text));
}
Bytes Size(std::uint16_t size) {
  return Patched(Reply(0x7007, 64), 24, Le(size, 2));
}
Bytes Block(const std::string& content) {
  return Patched(Reply(0x7007, 512), 28, Text(content));
}

TEST_F(SimTest, TheCardListsAndServesItsFilesByteExact) {
  std::string file2;
  for (std::size_t i = 0; i < 900; ++i) file2 += static_cast<char>('a' + i % 26);
  Config config;
  config.cardFiles = {{"KV000001.TXT", "first\n"},
                      {"KV000002.TXT", file2},
                      {"KV000003.TXT", "third\n"},
                      {"LONGNAME01.TXT", "long\n"}};
  config.cardZeroSize = "KV000003.TXT";
  controller.SetConfig(config);
  const struct {
    const char* name;
    Bytes request;
    Bytes reply;  // none: refused
  } cases[] = {
      {"count", Command(0x7006, 4, {0, 0}), Patched(Reply(0x7006, 64), 10, {4, 0})},
      {"entry 0", EntryRequest(0, ""), Entry("KV000001.TXT", "6")},
      {"size 0", SizeRequest(0, "KV000001"), Size(6)},
      {"entry without the last size's name", EntryRequest(1, "KV000002"), {}},
      {"entry 1", EntryRequest(1, "KV000001"), Entry("KV000002.TXT", "900")},
      {"size without the last entry's index", SizeRequest(2, "KV000002"), {}},
      {"size 1", SizeRequest(1, "KV000002"), Size(900)},
      {"entry 2", EntryRequest(2, "KV000002"), Entry("KV000003.TXT", "6")},
      {"size 2 reported as 0", SizeRequest(2, "KV000003"), Size(0)},
      {"entry 3, a long name", EntryRequest(3, "KV000003"), Entry("LONGNAME01.TXT", "5")},
      {"entry past the last", EntryRequest(4, "KV000003"), Entry()},
      {"size of the fetch", SizeRequest(0, "KV000002"), Size(900)},
      {"block 0", BlockRequest("KV000002"), Block(file2.substr(0, 400))},
      {"block 1", BlockRequest("KV000002"), Block(file2.substr(400, 400))},
      {"block 2, zeros past the end", BlockRequest("KV000002"), Block(file2.substr(800))},
      {"block 3", BlockRequest("KV000002"), Block("")},
      {"size rewinds", SizeRequest(0, "KV000002"), Size(900)},
      {"block 0 again", BlockRequest("KV000002"), Block(file2.substr(0, 400))},
      {"a name cut to eight bytes is no file", SizeRequest(0, "LONGNAME"), Size(0)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Exchange(c.request), c.reply);
  }
}

}  // namespace
}  // namespace kvsim::test
