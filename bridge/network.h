// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kvbridge {

// An IPv4 address in host order.
using Ipv4 = std::uint32_t;

// "192.168.1.20": four decimal parts of 0 to 255; none for anything else.
std::optional<Ipv4> ParseIpv4(std::string_view text);
std::string Ipv4Text(Ipv4 address);

// Addresses that share their first `prefix` bits with `address`.
struct Network {
  Ipv4 address = 0;
  int prefix = 32;

  bool Contains(Ipv4 client) const;
};

// "10.0.0.0/8" or one address, "192.168.1.20" (a network of one).
std::optional<Network> ParseNetwork(std::string_view text);

// 127.0.0.0/8: reachable from this PC only.
inline constexpr Network kLoopback{0x7F000000, 8};

}  // namespace kvbridge
