// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/transport/tcp_transport.h"

#include <gtest/gtest.h>

#include <tuple>

#include "sim_fixture.h"

namespace kv {
namespace {

using namespace std::chrono_literals;

constexpr std::uint8_t kStatusRequest[64] = {0xFF, 0, 4, 0, 0x20, 0, 0x40, 0x24};

// A read delivers at most what it asks for and touches nothing more; a reply
// later than the wait fails the link for good, the stream being out of step.
// (No reply at all and a closed link: LinkFaultsTest and LinkTest.)
TEST(TcpTransportTest, AReadTakesWhatItAsksForAndALateAnswerFailsTheLink) {
  const std::tuple<std::uint32_t, int, int> cases[] = {{0, 10, 64},
                                                       {600, kNoAnswerInTime, kLinkFailed}};
  for (const auto& [delayMs, read, next] : cases) {
    kvtest::SimOverSocket sim({.replyDelayMs = delayMs});
    TcpTransport transport(sim.Address(), 100ms);
    ASSERT_EQ(transport.open("Corvanet_KV"), 0);
    std::vector<std::uint8_t> reply(64, 0xEE);
    EXPECT_EQ(transport.write(kStatusRequest), 64);
    EXPECT_EQ(transport.read(std::span(reply).first(10)), read);
    EXPECT_EQ(reply[std::max(read, 0)], 0xEE);
    EXPECT_EQ(transport.write(kStatusRequest), next);
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
