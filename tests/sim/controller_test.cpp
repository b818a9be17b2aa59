// SPDX-License-Identifier: GPL-3.0-or-later
// The controller's replies, seen through its real loopback socket.
#include <string>
#include <thread>

#include "socket_fixture.h"

namespace kvsim::test {
namespace {

struct ReplyCase {
  const char* name;
  Bytes request;
  Bytes reply;
};

TEST_F(SimTest, AnswersEachRequestByteExact) {
  Config config;
  config.version = "Ver 1.103";
  config.language = 3;
  config.unit = 1;
  config.evaluationFlag = 2;
  config.statuses = {0x0105};
  controller.SetConfig(config);

  const Bytes memoryRead = {0xFF, 0x00, 0x10, 0x00, 0x00, 0x4D, 0x00, 0x00, 0x00, 0x00,
                            0x44, 0x00, 0xD8, 0xE5, 0x02, 0x08, 0x01, 0x00, 0x52, 0x00};
  const Bytes memoryReply = Padded({0xFF, 0x00, 0x3C, 0x00, 0x00, 0x4D, 0x00, 0x00}, 64);
  const auto MemoryRead = [&](const Bytes& address) { return Patched(memoryRead, 12, address); };

  const ReplyCase cases[] = {
      {"version", kVersionRequest,
       Patched(Padded({0xFF, 0x00, 0x3C, 0x00, 0x00, 0x41, 0x00, 0x00}, 64), 12,
               {'V', 'e', 'r', ' ', '1', '.', '1', '0', '3'})},
      {"language", MemoryRead({0xD8, 0xE5, 0x02, 0x08}), Patched(memoryReply, 20, {3})},
      {"unit", MemoryRead({0xD6, 0xE5, 0x02, 0x08}), Patched(memoryReply, 20, {1})},
      {"evaluation flag", MemoryRead({0xA8, 0x5D, 0x00, 0x08}), Patched(memoryReply, 20, {2})},
      {"other address", MemoryRead({0x00, 0x10, 0x00, 0x08}), memoryReply},
      {"status", kStatusRequest, Command(0x2440, 0x3C, {0x05, 0x01})},
      {"status control", Command(0x2443, 6, {0xEF, 0xBE}),
       Command(0x2443, 0x3C, {0xEF, 0xBE, 0x00, 0x00})},
      {"print key", kPrintKeyRequest, Command(0x2445, 0x3C, {})},
      {"output mode", Command(0x7011, 4, {0x01}), Command(0x7011, 0x3C, {})},
      {"measurement start", Command(0x2140, 10, {}), Command(0x2140, 0x3C, {})},
  };
  for (const ReplyCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Exchange(c.request), c.reply);
  }
}

TEST_F(SimTest, CutsTheVersionTextTo52Bytes) {
  Config config;
  config.version = std::string(60, 'x');
  controller.SetConfig(config);
  const Bytes reply = Exchange(kVersionRequest);
  ASSERT_EQ(reply.size(), 64u);
  EXPECT_EQ(std::string(reply.begin() + 12, reply.end()), std::string(52, 'x'));
}

TEST_F(SimTest, GivesNoReplyToMalformedFrames) {
  const auto With = [](Bytes frame, std::size_t at, std::uint8_t value) {
    frame[at] = value;
    return frame;
  };
  const Bytes control = Padded({0xFF, 0x00, 0x06, 0x00, 0x20, 0x00, 0x43, 0x24}, 64);
  const Bytes mode = Padded({0xFF, 0x00, 0x04, 0x00, 0x20, 0x00, 0x11, 0x70}, 64);
  const Bytes settings = Padded({0xFF, 0x00, 0x06, 0x00, 0x20, 0x00, 0x01, 0x70}, 64);
  const Bytes memoryRead = {0xFF, 0x00, 0x10, 0x00, 0x00, 0x4D, 0x00, 0x00, 0x00, 0x00,
                            0x44, 0x00, 0xD8, 0xE5, 0x02, 0x08, 0x01, 0x00, 0x52, 0x00};
  const ReplyCase cases[] = {
      {"empty", {}, {}},
      {"63 bytes", Bytes(kStatusRequest.begin(), kStatusRequest.end() - 1), {}},
      {"65 bytes", Padded(kStatusRequest, 65), {}},
      {"start mark", With(kStatusRequest, 0, 0xFE), {}},
      {"byte 1", With(kStatusRequest, 1, 0x01), {}},
      {"byte 4", With(kStatusRequest, 4, 0x21), {}},
      {"byte 5", With(kStatusRequest, 5, 0x01), {}},
      {"unknown command", With(kStatusRequest, 6, 0x41), {}},
      {"status body length", With(kStatusRequest, 2, 0x06), {}},
      {"status body length high byte", With(kStatusRequest, 3, 0x01), {}},
      {"status trailing byte", With(kStatusRequest, 63, 0x01), {}},
      {"status control body length", With(control, 2, 0x04), {}},
      {"status control byte 10", With(control, 10, 0x01), {}},
      {"output mode 2", With(mode, 8, 0x02), {}},
      {"output mode byte 9", With(mode, 9, 0x01), {}},
      {"output mode body length 5", With(mode, 2, 0x05), {}},
      {"settings byte 8", With(settings, 8, 0x01), {}},
      {"settings set 2", With(settings, 9, 0x02), {}},
      {"version letter", With(kVersionRequest, 5, 0x42), {}},
      {"version byte 15", With(kVersionRequest, 15, 0x01), {}},
      {"version body length", With(kVersionRequest, 2, 0x10), {}},
      {"memory read count 2", With(memoryRead, 16, 0x02), {}},
      {"memory read letter R", With(memoryRead, 18, 0x00), {}},
      {"memory read body length", With(memoryRead, 2, 0x0C), {}},
      {"version frame sent as memory read", Padded(kVersionRequest, 20), {}},
  };
  for (const ReplyCase& c : cases) {
    SCOPED_TRACE(c.name);
    // A reply still waiting must not survive the bad frame either.
    ASSERT_EQ(client->Write(kStatusRequest), 64);
    EXPECT_EQ(Exchange(c.request), Bytes{});
  }
}

TEST_F(SimTest, OpensOnlyUnderItsDeviceName) {
  const struct {
    std::string_view name;
    std::int32_t result;
  } cases[] = {
      {std::string_view("Corvanet_KV\0", 13), 0},
      {"Corvanet_KV", 0},
      {std::string_view("Corvanet_KV\0junk", 16), 0},
      {"Corvanet_K", 1},
      {"corvanet_kv", 1},
      {"Corvanet_KV2", 1},
      {"", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name));
    EXPECT_EQ(client->Open(c.name), c.result);
    EXPECT_EQ(client->Write(kStatusRequest), c.result == 0 ? 64 : 0);
    EXPECT_EQ(client->Read(64)->size(), c.result == 0 ? 64u : 0u);
  }
  EXPECT_EQ(client->Close(), 0);
  EXPECT_EQ(client->Write(kStatusRequest), 0);
  EXPECT_EQ(client->Read(64)->size(), 0u);
}

TEST_F(SimTest, FaultsAndShortReadsCutTheReply) {
  const Bytes whole = Exchange(kVersionRequest);
  ASSERT_EQ(whole.size(), 64u);
  const struct {
    const char* name;
    Fault fault;
    std::size_t shortLength;
    std::int32_t readCount;
    std::size_t delivered;
  } cases[] = {
      {"no answer", Fault::NoAnswer, 8, 512, 0},
      {"short answer", Fault::ShortAnswer, 8, 512, 8},
      {"short answer longer than the reply", Fault::ShortAnswer, 600, 512, 64},
      {"short read", Fault::None, 8, 10, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Config config;
    config.fault = c.fault;
    config.shortLength = c.shortLength;
    controller.SetConfig(config);
    ASSERT_EQ(client->Write(kVersionRequest), 16);
    EXPECT_EQ(client->Read(c.readCount), Bytes(whole.begin(), whole.begin() + c.delivered));
    EXPECT_EQ(client->Read(c.readCount), Bytes{});  // the reply was consumed
  }
}

TEST_F(SimTest, ReportsThePrintKeyOnce) {
  const Bytes pressed = Patched(Exchange(kPrintKeyRequest), 8, {0x10});
  controller.PressPrintKey();
  controller.PressPrintKey();
  EXPECT_EQ(Exchange(kPrintKeyRequest), pressed);
  EXPECT_EQ(Exchange(kPrintKeyRequest)[8], 0);
  std::thread([this] { controller.PressPrintKey(); }).join();
  EXPECT_EQ(Exchange(kPrintKeyRequest), pressed);
}

TEST_F(SimTest, AnswersTheStatusesInTurnThenKeepsTheLast) {
  Config config;
  config.statuses = {0x0010, 3, 0};
  controller.SetConfig(config);
  for (const std::uint8_t status : {0x10, 3, 0, 0}) EXPECT_EQ(Exchange(kStatusRequest)[8], status);
  controller.SetConfig(config);
  EXPECT_EQ(Exchange(kStatusRequest)[8], 0x10);
}

TEST_F(SimTest, KeepsEveryRequestAndTheOutputMode) {
  const Bytes manual = Padded({0xFF, 0x00, 0x04, 0x00, 0x20, 0x00, 0x11, 0x70}, 64);
  const Bytes printKey = Patched(manual, 8, {0x01});
  const Bytes bad = {0x00};
  Exchange(printKey);
  EXPECT_EQ(controller.OutputMode(), 1);
  Exchange(bad);
  Exchange(manual);
  EXPECT_EQ(controller.OutputMode(), 0);
  EXPECT_EQ(controller.Requests(), (std::vector<Bytes>{printKey, bad, manual}));
}

}  // namespace
}  // namespace kvsim::test
