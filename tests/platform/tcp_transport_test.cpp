// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/transport/tcp_transport.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

#include "sim_fixture.h"

namespace kv {
namespace {

using namespace std::chrono_literals;

constexpr std::uint8_t kStatusRequest[64] = {0xFF, 0, 4, 0, 0x20, 0, 0x40, 0x24};

// A read delivers at most what it asks for and touches nothing more. (A late
// or missing reply fails the link for good: LinkFaultsTest.)
TEST(TcpTransportTest, AReadTakesWhatItAsksFor) {
  kvtest::SimOverSocket sim;
  std::vector<std::uint8_t> reply(64, 0xEE);
  ASSERT_EQ(sim.transport->open("Corvanet_KV"), 0);
  EXPECT_EQ(sim.transport->write(kStatusRequest), 64);
  EXPECT_EQ(sim.transport->read(std::span(reply).first(10)), 10);
  EXPECT_EQ(reply[10], 0xEE);
  EXPECT_EQ(sim.transport->write(kStatusRequest), 64);
}

// Hosts that refuse, never answer or are no address at all.
TEST(TcpTransportTest, WithoutASimulatorEveryOperationFails) {
  std::string closedPort;
  {
    kvtest::SimOverSocket gone;
    closedPort = gone.Address();
  }
  for (const std::string& address :
       {closedPort, std::string("192.0.2.1:5000"), std::string("127.0.0.1")}) {
    TcpTransport transport(address, 100ms);
    EXPECT_NE(transport.open("Corvanet_KV"), 0) << address;
    std::uint8_t reply[64];
    // The write goes out without waiting for its answer (something that is
    // no simulator may well take it); the read that collects both fails.
    (void)transport.write(kStatusRequest);
    EXPECT_EQ(transport.read(reply), kLinkFailed) << address;
  }
}

// A server that answers nothing before it has both the write and the read of
// a transaction: the client sends them back to back. When the server then
// closes instead, the write's failure shows at the read.
TEST(TcpTransportTest, AWriteAndItsReadTravelTogether) {
  for (const bool answers : {true, false}) {
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 1), 0);
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    std::thread server([listener, answers] {
      const int client = accept(listener, nullptr, nullptr);
      std::vector<std::uint8_t> received;
      const auto take = [&](std::size_t count) {
        received.resize(count);
        for (std::size_t got = 0; got < count;) {
          const ssize_t n = recv(client, received.data() + got, count - got, 0);
          if (n <= 0) return;
          got += static_cast<std::size_t>(n);
        }
      };
      take(1 + 4 + 11);  // open
      const std::uint8_t opened[4] = {0, 0, 0, 0};
      send(client, opened, 4, 0);
      take(1 + 4 + 64 + 1 + 4);  // the write and the read, before any answer
      const std::uint8_t both[] = {64, 0, 0, 0, 3, 0, 0, 0, 'a', 'b', 'c'};
      if (answers && received[0] == 'W' && received[69] == 'R') send(client, both, sizeof both, 0);
      close(client);
    });
    TcpTransport transport("127.0.0.1:" + std::to_string(ntohs(address.sin_port)), 2000ms);
    ASSERT_EQ(transport.open("Corvanet_KV"), 0);
    EXPECT_EQ(transport.write(kStatusRequest), 64);
    std::uint8_t reply[4] = {};
    EXPECT_EQ(transport.read(reply), answers ? 3 : kLinkFailed);
    EXPECT_EQ(reply[0], answers ? 'a' : 0);
    server.join();
    close(listener);
  }
}

}  // namespace
}  // namespace kv
