// SPDX-License-Identifier: GPL-3.0-or-later
// kv-usb-bridge's command line and client addresses (plain C++, run here).
#include "options.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kvbridge {
namespace {

ParsedOptions Parse(std::vector<const char*> arguments) {
  return ParseOptions(arguments);
}

TEST(BridgeOptionsTest, NetworksHoldTheirAddressesOnly) {
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"192.168.1.0/24", "192.168.1.77", true},
      {"192.168.1.0/24", "192.168.2.1", false},
      {"10.0.0.7", "10.0.0.7", true},
      {"10.0.0.7", "10.0.0.8", false},
      {"0.0.0.0/0", "203.0.113.9", true},
      {"127.0.0.0/8", "127.1.2.3", true},
      {"172.16.0.0/12", "172.31.255.255", true},
      {"172.16.0.0/12", "172.32.0.0", false}};
  for (const auto& [network, client, inside] : cases) {
    const auto parsed = ParseNetwork(network);
    ASSERT_TRUE(parsed) << network;
    EXPECT_EQ(parsed->Contains(*ParseIpv4(client)), inside) << network << " " << client;
  }
  for (const char* wrong : {"", "10.0.0", "10.0.0.256", "10.0.0.1.2", "10.0.0.0/33", "10.0.0.0/",
                            "a.b.c.d", "10..0.1", "10.0.0.1 "}) {
    EXPECT_FALSE(ParseNetwork(wrong)) << wrong;
  }
  EXPECT_EQ(Ipv4Text(*ParseIpv4("192.168.001.20")), "192.168.1.20");
}

TEST(BridgeOptionsTest, LoopbackByDefaultAndOtherAddressesOnlyWithAnAllowList) {
  const ParsedOptions defaults = Parse({});
  ASSERT_TRUE(defaults.options);
  EXPECT_EQ(Ipv4Text(defaults.options->address), "127.0.0.1");
  EXPECT_EQ(defaults.options->port, 5730);
  EXPECT_TRUE(defaults.options->allowed.front().Contains(*ParseIpv4("127.0.0.1")));
  EXPECT_FALSE(defaults.options->allowed.front().Contains(*ParseIpv4("192.168.1.2")));

  const ParsedOptions lab =
      Parse({"--listen", "0.0.0.0:6000", "--allow", "192.168.1.0/24,10.0.0.7", "--log"});
  ASSERT_TRUE(lab.options) << lab.problem;
  EXPECT_EQ(lab.options->port, 6000);
  EXPECT_TRUE(lab.options->log);
  ASSERT_EQ(lab.options->allowed.size(), 2u);
  EXPECT_FALSE(lab.options->allowed[0].Contains(*ParseIpv4("127.0.0.1")));

  const std::tuple<std::vector<const char*>, const char*> refused[] = {
      {{"--listen", "0.0.0.0:5730"}, "listening on 0.0.0.0 needs --allow"},
      {{"--listen", "192.168.1.20:5730"}, "listening on 192.168.1.20 needs --allow"},
      {{"--listen", "127.0.0.1"}, "--listen takes ADDR:PORT"},
      {{"--listen", "127.0.0.1:65536"}, "--listen takes ADDR:PORT"},
      {{"--allow", "10.0.0.0/8,"}, "--allow takes addresses or networks"},
      {{"--allow"}, "unknown or incomplete option --allow"},
      {{"--port", "5730"}, "unknown or incomplete option --port"}};
  for (const auto& [arguments, problem] : refused) {
    const ParsedOptions parsed = Parse(arguments);
    EXPECT_FALSE(parsed.options) << problem;
    EXPECT_TRUE(parsed.problem.starts_with(problem)) << parsed.problem;
  }
}

}  // namespace
}  // namespace kvbridge
