// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/transport/tcp_transport.h"

#include <gtest/gtest.h>

#include "link/link.h"
#include "sim/loopback_server.h"

namespace kv {
namespace {

std::string Address(const kvsim::LoopbackServer& server) {
  return "127.0.0.1:" + std::to_string(server.Port());
}

TEST(TcpTransportTest, CarriesOneRequestAndOneReplyPerCall) {
  kvsim::Controller controller;
  kvsim::LoopbackServer server(controller);
  ASSERT_TRUE(server.Listen(0));
  server.Start();
  TcpTransport transport(Address(server));
  EXPECT_NE(transport.open("Other"), 0);
  ASSERT_EQ(transport.open(Link::DeviceName), 0);

  const std::uint8_t status[64] = {0xFF, 0, 4, 0, 0x20, 0, 0x40, 0x24};
  EXPECT_EQ(transport.write(status), 64);
  std::vector<std::uint8_t> reply(100, 0xEE);
  EXPECT_EQ(transport.read(std::span(reply).first(10)), 10);  // no more than asked for
  EXPECT_EQ(reply[10], 0xEE);
  EXPECT_EQ(transport.read(reply), 0);  // the reply was taken
  transport.close();
  EXPECT_EQ(controller.Requests().size(), 1u);
}

TEST(TcpTransportTest, NoServerOrLostServerReadsAsNoAnswer) {
  std::uint16_t port;
  {
    kvsim::Controller controller;
    kvsim::LoopbackServer server(controller);
    ASSERT_TRUE(server.Listen(0));
    port = server.Port();
    server.Start();
    TcpTransport transport("127.0.0.1:" + std::to_string(port));
    ASSERT_EQ(transport.open(Link::DeviceName), 0);
    server.Stop();
    const std::uint8_t frame[16] = {0xFF, 0, 12, 0, 0, 'A', 0, 0, 0, 0, 'D'};
    std::uint8_t reply[64] = {7};
    transport.write(frame);
    EXPECT_EQ(transport.read(reply), 0);
    EXPECT_EQ(reply[0], 7);
  }
  TcpTransport nobody("127.0.0.1:" + std::to_string(port));
  EXPECT_NE(nobody.open(Link::DeviceName), 0);
}

TEST(TcpTransportTest, RefusesAddressesOffThisMachine) {
  for (const char* address : {"192.0.2.1:5000", "10.0.0.1:5000", "127.0.0.1", ""}) {
    TcpTransport transport(address);
    EXPECT_NE(transport.open(Link::DeviceName), 0) << address;
  }
}

}  // namespace
}  // namespace kv
