// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/transport/tcp_transport.h"

#include <gtest/gtest.h>

#include "sim_fixture.h"

namespace kv {
namespace {

using namespace std::chrono_literals;

constexpr std::uint8_t kStatusRequest[64] = {0xFF, 0, 4, 0, 0x20, 0, 0x40, 0x24};

// A read delivers at most what it asks for and touches nothing more; after a
// failure the stream is out of step, so the connection is gone for good.
TEST(TcpTransportTest, ALateOrLostAnswerFailsWithoutHanging) {
  const struct {
    const char* name;
    kvsim::Config config;
    std::chrono::milliseconds timeout;
    bool stopServer;
    int write, read, next;
  } cases[] = {
      {"answered", {}, kDefaultReplyTimeout, false, 64, 10, 64},
      {"answer too late", {.replyDelayMs = 600}, 100ms, false, 64, kNoAnswerInTime, kLinkFailed},
      {"no answer", {.stallAt = 1}, 100ms, false, 64, kNoAnswerInTime, kLinkFailed},
      {"server gone", {}, kDefaultReplyTimeout, true, kLinkFailed, kLinkFailed, kLinkFailed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    kvtest::SimOverSocket sim(c.config);
    TcpTransport transport(sim.Address(), c.timeout);
    ASSERT_EQ(transport.open("Corvanet_KV"), 0);
    if (c.stopServer) sim.server.Stop();
    std::vector<std::uint8_t> reply(64, 0xEE);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(transport.write(kStatusRequest), c.write);
    const int read = transport.read(std::span(reply).first(10));
    EXPECT_EQ(read, c.read);
    EXPECT_EQ(reply[std::max(read, 0)], 0xEE);
    EXPECT_EQ(transport.write(kStatusRequest), c.next);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);  // bounds a hang, nothing finer
  }
}

TEST(TcpTransportTest, WithoutASimulatorEveryOperationFails) {
  std::string closedPort;
  {
    kvtest::SimOverSocket gone;
    closedPort = gone.Address();
  }
  for (const std::string& address : {closedPort, std::string("192.0.2.1:5000"),
                                     std::string("10.0.0.1:5000"), std::string("127.0.0.1")}) {
    TcpTransport transport(address);
    EXPECT_NE(transport.open("Corvanet_KV"), 0) << address;
    std::uint8_t reply[64];
    EXPECT_EQ(transport.write(kStatusRequest), kLinkFailed) << address;
    EXPECT_EQ(transport.read(reply), kLinkFailed) << address;
  }
}

}  // namespace
}  // namespace kv
