// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/link.h"

#include <gtest/gtest.h>

#include "link/frame_builders.h"
#include "sim_fixture.h"

namespace kv {
namespace {

TEST(LinkTest, ShortOrMissingRepliesReadAsZeros) {
  struct Case {
    kvsim::Fault fault;
    std::size_t shortLength;
    std::int32_t receivedCount;
    std::uint32_t status;
    std::string version;
  } cases[] = {
      {kvsim::Fault::None, 0, 64, 0x1234, "Ver 1.101" + std::string(43, '\0')},
      {kvsim::Fault::ShortAnswer, 9, 9, 0x0034,
       ""},  // byte 9 missing: the status loses its high byte
      {kvsim::Fault::ShortAnswer, 8, 8, 0, ""},
      {kvsim::Fault::ShortAnswer, 14, 14, 0x1234, "Ve"},
      {kvsim::Fault::NoAnswer, 0, 0, 0, ""},
  };
  for (const auto& c : cases) {
    kvsim::Config config;
    config.version = "Ver 1.101";
    config.statuses = {0x1234};
    config.fault = c.fault;
    config.shortLength = c.shortLength;
    kvtest::SimOverSocket sim(config);
    Link link(*sim.transport);
    ASSERT_EQ(link.Open(), 0);
    EXPECT_EQ(ReadControllerVersion(link), c.version);
    EXPECT_EQ(ReadControllerStatus(link), c.status);
    EXPECT_EQ(link.ReceivedCount, c.receivedCount);
    for (std::size_t i = static_cast<std::size_t>(c.receivedCount); i < 64; ++i) {
      ASSERT_EQ(link.ReceiveBuffer[i], 0) << i;
    }
  }
}

TEST(LinkTest, EachBuilderStartsFromZeroedBuffers) {
  kvsim::Config config;
  config.language = 5;
  kvtest::SimOverSocket sim(config);
  Link link(*sim.transport);
  ASSERT_EQ(link.Open(), 0);
  EXPECT_EQ(ReadControllerMemory(link, kLanguageAddress), 5);
  config.fault = kvsim::Fault::NoAnswer;
  sim.controller.SetConfig(config);
  EXPECT_EQ(ReadControllerMemory(link, kLanguageAddress), 0);  // nothing of the first reply is left
  EXPECT_EQ(link.ReceivedCount, 0);
}

TEST(LinkTest, ReusedBuffersKeepBytesAShorterReplyLeaves) {
  kvsim::Config config;
  config.statuses = {0x1234};
  kvtest::SimOverSocket sim(config);
  Link link(*sim.transport);
  ASSERT_EQ(link.Open(), 0);
  BeginCommandFrame(link, 0x2440, 4, 64);
  link.UsbTransaction();
  config.fault = kvsim::Fault::ShortAnswer;
  config.shortLength = 4;
  config.statuses = {0};
  sim.controller.SetConfig(config);
  WriteCommandHeader(link, 0x2440, 4);
  link.UsbTransaction();
  EXPECT_EQ(link.ReceivedCount, 4);
  EXPECT_EQ(link.ReplyWord(8), 0x1234);
}

TEST(LinkTest, ReplyFieldsBeyondTheBufferReadAsZero) {
  kvtest::SimOverSocket sim;
  Link link(*sim.transport);
  link.PrepareBuffers(16, 4);
  EXPECT_EQ(link.ReplyLong(2), 0);
  EXPECT_EQ(link.ReplyByte(1000), 0);
}

}  // namespace
}  // namespace kv
