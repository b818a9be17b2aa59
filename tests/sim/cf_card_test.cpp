// SPDX-License-Identifier: GPL-3.0-or-later
// The CF card's listing and file replies, seen through the controller's real
// loopback socket.
#include "sim/cf_card.h"

#include <string>

#include "socket_fixture.h"

namespace kvsim::test {
namespace {

struct ReplyCase {
  const char* name;
  Bytes request;
  Bytes reply;
};

Bytes Text(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

// The listing's and the fetch's frames; `name` is what bytes 12-19 carry.
Bytes CountRequest() {
  return Command(0x7006, 4, {0, 0});
}
Bytes EntryRequest(std::uint8_t index, const std::string& name) {
  return Patched(Command(0x7006, 4, {0, 1, index}), 12, Text(name));
}
Bytes SizeRequest(std::uint8_t index, const std::string& name) {
  return Patched(Command(0x7007, 20, {0, 0, index}), 12, Text(name));
}
Bytes BlockRequest(const std::string& name) {
  return Patched(Command(0x7007, 32, {0, 1, 0x90, 0x01}), 12, Text(name));
}

// A zero-filled reply: the request's header with 2-3 = length - 4.
Bytes CardReply(std::uint16_t code, std::size_t length) {
  Bytes reply = Command(code, static_cast<std::uint8_t>(length - 4), {});
  reply[3] = static_cast<std::uint8_t>((length - 4) >> 8);
  reply.resize(length);
  return reply;
}
Bytes Entry(const std::string& text) {
  return Patched(CardReply(0x7006, 24 + text.size()), 24, Text(text));
}
Bytes Size(std::uint16_t size) {
  return Patched(CardReply(0x7007, 64), 24,
                 {static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8)});
}
Bytes Block(const std::string& content) {
  return Patched(CardReply(0x7007, 512), 28, Text(content));
}

std::string Pattern(std::size_t length) {
  std::string bytes;
  for (std::size_t i = 0; i < length; ++i) bytes += static_cast<char>('a' + i % 26);
  return bytes;
}

class CfCardTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    Config config;
    config.cardFiles = {{"KV000001.TXT", "first\n"},
                        {"KV000002.TXT", Pattern(900)},
                        {"KV000003.TXT", "third\n"},
                        {"LONGNAME01.TXT", "long\n"}};
    config.cardZeroSize = "KV000003.TXT";
    controller.SetConfig(config);
  }
};

TEST_F(CfCardTest, ListsAndServesItsFilesByteExact) {
  const std::string file2 = Pattern(900);
  const ReplyCase cases[] = {
      {"count", CountRequest(), Patched(CardReply(0x7006, 64), 10, {4, 0})},
      {"entry 0", EntryRequest(0, ""),
       Entry(std::string("KV000001.TXT\0", 13) + "2024/05/17,10:30,6")},
      {"size 0", SizeRequest(0, "KV000001"), Size(6)},
      {"entry 1", EntryRequest(1, "KV000001"),
       Entry(std::string("KV000002.TXT\0", 13) + "2024/05/17,10:30,900")},
      {"size 1", SizeRequest(1, "KV000002"), Size(900)},
      {"entry 2", EntryRequest(2, "KV000002"),
       Entry(std::string("KV000003.TXT\0", 13) + "2024/05/17,10:30,6")},
      {"size 2 reported as 0", SizeRequest(2, "KV000003"), Size(0)},
      {"entry 3, a long name", EntryRequest(3, "KV000003"),
       Entry(std::string("LONGNAME01.TXT\0", 15) + "2024/05/17,10:30,5")},
      {"entry past the last", EntryRequest(4, "KV000003"), Entry("")},
      {"size of the fetch", SizeRequest(0, "KV000002"), Size(900)},
      {"block 0", BlockRequest("KV000002"), Block(file2.substr(0, 400))},
      {"block 1", BlockRequest("KV000002"), Block(file2.substr(400, 400))},
      {"block 2, zeros past the end", BlockRequest("KV000002"), Block(file2.substr(800))},
      {"block 3", BlockRequest("KV000002"), Block("")},
      {"size rewinds", SizeRequest(0, "KV000002"), Size(900)},
      {"block 0 again", BlockRequest("KV000002"), Block(file2.substr(0, 400))},
      {"a name cut to eight bytes is no file", SizeRequest(0, "LONGNAME"), Size(0)},
  };
  for (const ReplyCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Exchange(c.request), c.reply);
  }
}

TEST_F(CfCardTest, GivesNoReplyToFramesThatCarryOtherBytes) {
  const auto With = [](Bytes frame, std::size_t at, std::uint8_t value) {
    frame[at] = value;
    return frame;
  };
  // Listed so far: entry 1 after the size request of "KV000001".
  for (const Bytes& frame : {CountRequest(), EntryRequest(0, ""), SizeRequest(0, "KV000001"),
                             EntryRequest(1, "KV000001")}) {
    ASSERT_NE(Exchange(frame), Bytes{});
  }
  const ReplyCase cases[] = {
      {"entry without the last name", EntryRequest(2, ""), {}},
      {"entry with another name", EntryRequest(2, "KV000002"), {}},
      {"size with another entry index", SizeRequest(2, "KV000002"), {}},
      {"count with an index", With(CountRequest(), 10, 1), {}},
      {"count with a name", Patched(CountRequest(), 12, Text("KV000001")), {}},
      {"listing byte 8", With(EntryRequest(2, "KV000001"), 8, 1), {}},
      {"listing byte 9", With(EntryRequest(2, "KV000001"), 9, 2), {}},
      {"listing body length 6", With(EntryRequest(2, "KV000001"), 2, 6), {}},
      {"size byte 9", With(SizeRequest(1, "KV000002"), 9, 1), {}},
      {"block byte 9", With(BlockRequest("KV000002"), 9, 0), {}},
      {"block of 399 bytes", With(BlockRequest("KV000002"), 10, 0x8F), {}},
      {"size without a name", SizeRequest(1, ""), {}},
      {"name not zero-padded", SizeRequest(1, std::string("KV\0X", 4)), {}},
      {"size byte 20", With(SizeRequest(1, "KV000002"), 20, 1), {}},
      {"size byte 21", With(SizeRequest(1, "KV000002"), 21, 1), {}},
      {"file body length 24", With(SizeRequest(1, "KV000002"), 2, 24), {}},
  };
  for (const ReplyCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Exchange(c.request), c.reply);
  }
  EXPECT_EQ(Exchange(SizeRequest(1, "KV000002")), Size(900));  // nothing bad was taken in
}

TEST(CfCardFilesTest, TheDefaultCardHoldsDataFilesOfBothUnitsAndALargeOne) {
  const std::vector<CardFile>& files = DefaultCardFiles();
  ASSERT_EQ(files.size(), 5u);
  int metric = 0, inch = 0, crLf = 0;
  for (std::size_t i = 0; i < files.size(); ++i) {
    const std::string& bytes = files[i].bytes;
    EXPECT_EQ(files[i].name, "KV00000" + std::to_string(i + 1) + ".TXT");
    EXPECT_TRUE(bytes.starts_with("// Ver.") && bytes.ends_with("\n")) << files[i].name;
    metric += bytes.find(";mm;") != std::string::npos;
    inch += bytes.find(";in;") != std::string::npos;
    crLf += bytes.find("\r\n") != std::string::npos;
  }
  EXPECT_EQ(metric, 3);
  EXPECT_EQ(inch, 2);
  EXPECT_EQ(crLf, 2);
  EXPECT_NE(files[4].bytes.find("// A CalcData\n50001\n"), std::string::npos);
}

}  // namespace
}  // namespace kvsim::test
