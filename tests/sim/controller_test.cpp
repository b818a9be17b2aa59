// SPDX-License-Identifier: GPL-3.0-or-later
// The controller over its real loopback socket: refusals, state, link faults.
#include <chrono>
#include <memory>
#include <string>
#include <utility>

#include "platform/transport/sim_transport.h"
#include "sim/loopback_session.h"
#include "socket_fixture.h"

namespace kvsim::test {
namespace {

// The readers' bodies (headers and link frames are checked where they are
// built): a strict controller makes the reader tests fail on a wrong byte.
TEST_F(SimTest, GivesNoReplyToAReaderFrameWithAnyByteOutOfPlace) {
  const struct {
    const char* name;
    Bytes frame;
    std::vector<std::pair<std::size_t, std::uint8_t>> spoilt;  // byte, value
  } cases[] = {
      {"parameter count", Command(0x7003, 8), {{2, 6}, {8, 2}, {9, 2}, {10, 1}}},
      {"parameter record", Command(0x7003, 8, {1, 1, 3}), {{11, 1}, {12, 1}}},
      {"evaluation size",
       Command(0x7004, 12, {0, 0, 0, 0, 1}),
       {{8, 1}, {9, 2}, {10, 2}, {12, 10}}},
      {"evaluation block", Command(0x7004, 12, {0, 1, 1, 0, 10}), {{2, 8}, {12, 1}, {16, 1}}},
      {"graph block", Command(0x7005, 12, {2, 1, 1, 0, 10}), {{8, 3}, {11, 1}}},
      {"profile", Command(0x2340, 6, {10}), {{2, 8}, {8, 9}, {12, 1}}},
  };
  for (const auto& c : cases) {
    EXPECT_NE(Exchange(c.frame), Bytes{}) << c.name;
    for (const auto& [at, value] : c.spoilt) {
      SCOPED_TRACE(testing::Message() << c.name << ", byte " << at << " = " << int{value});
      // A reply still waiting must not survive the bad frame either.
      ASSERT_EQ(sim.transport->write(kStatusRequest), 64);
      Bytes spoilt = c.frame;
      spoilt[at] = value;
      EXPECT_EQ(Exchange(spoilt), Bytes{});
    }
  }
}

TEST_F(SimTest, AnswersOnlyWhileOpenAndKeepsItsStateAcrossConnections) {
  controller.SetConfig({.statuses = {1, 2}});
  EXPECT_EQ(Exchange(kStatusRequest).at(8), 1);
  // A read larger than the protocol allows ends the connection.
  Bytes huge(LoopbackSession::kMaxPayload + 1);
  EXPECT_EQ(sim.transport->read(huge), kv::kLinkFailed);
  EXPECT_EQ(sim.transport->write(kStatusRequest), kv::kLinkFailed);

  // The next connection: only the device name opens; until then nothing is answered.
  sim.transport = std::make_unique<kv::TcpTransport>(sim.Address());
  for (const char* name : {"Corvanet_K", "corvanet_kv", "Corvanet_KV2", ""}) {
    EXPECT_EQ(sim.transport->open(name), 1) << name;
  }
  // (The write's count travels back with the read's answer, unused.)
  sim.transport->write(kStatusRequest);
  Bytes unanswered(64);
  EXPECT_EQ(sim.transport->read(unanswered), 0);
  ASSERT_EQ(controller.Open(std::string_view("Corvanet_KV\0junk", 16)), 0);
  EXPECT_EQ(Exchange(kStatusRequest).at(8), 2);
  sim.transport->close();
  EXPECT_EQ(controller.Write(kStatusRequest), 0);
}

// What each status read returns, up to the first failure or four reads; a
// failed link stays failed, and no read delivers before its reply is due.
std::vector<int> Reads(kv::Transport& transport, const Config& config) {
  std::vector<int> reads;
  Bytes reply(512);
  while (reads.size() < 4 && (reads.empty() || reads.back() >= 0)) {
    const auto start = std::chrono::steady_clock::now();
    transport.write(kStatusRequest);
    reads.push_back(transport.read(reply));
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(reads.back() <= 0 || took >= std::chrono::milliseconds(config.replyDelayMs))
        << "read " << reads.size() << " came early";
  }
  if (reads.back() < 0) {
    EXPECT_LT(transport.write(kStatusRequest), 0);
    EXPECT_LT(transport.read(reply), 0);
  }
  return reads;
}

// Through the program's transport on each of two connections (an open starts
// the count again), and in this process, where replies are never delayed.
TEST(LinkFaultsTest, RepliesAreCountedFromTheOpen) {
  using kv::kLinkFailed, kv::kNoAnswerInTime;
  const struct {
    const char* name;
    Config config;
    std::vector<int> overSocket, inProcess;
  } cases[] = {
      {"drop after 2", {.dropAfter = 2}, {64, 64, kLinkFailed}, {64, 64, -1}},
      {"zero reply at 2", {.zeroReplyAt = 2}, {64, 0, 64, 64}, {64, 0, 64, 64}},
      {"stall at 3", {.stallAt = 3}, {64, 64, kNoAnswerInTime}, {64, 64, 0, 0}},
      {"reply delay", {.replyDelayMs = 50}, {64, 64, 64, 64}, {64, 64, 64, 64}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    kvtest::SimOverSocket sim(c.config);
    for (int connection = 0; connection < 2; ++connection) {
      kv::TcpTransport transport(sim.Address(), std::chrono::milliseconds(200));
      ASSERT_EQ(transport.open("Corvanet_KV"), 0);
      EXPECT_EQ(Reads(transport, c.config), c.overSocket) << "connection " << connection;
    }
    kv::SimTransport inProcess(std::make_unique<Controller>(c.config));
    ASSERT_EQ(inProcess.open("Corvanet_KV"), 0);
    EXPECT_EQ(Reads(inProcess, {}), c.inProcess);
  }
}

}  // namespace
}  // namespace kvsim::test
