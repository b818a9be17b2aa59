// SPDX-License-Identifier: GPL-3.0-or-later
#include "network.h"

#include <charconv>

namespace kvbridge {
namespace {

// A decimal number of one to three digits, at most `max`.
std::optional<int> ParsePart(std::string_view text, int max) {
  int value = 0;
  if (text.empty() || text.size() > 3) return std::nullopt;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value > max) return std::nullopt;
  return value;
}

}  // namespace

std::optional<Ipv4> ParseIpv4(std::string_view text) {
  Ipv4 address = 0;
  for (int part = 0; part < 4; ++part) {
    const std::size_t dot = part < 3 ? text.find('.') : text.size();
    if (dot == std::string_view::npos) return std::nullopt;
    const std::optional<int> value = ParsePart(text.substr(0, dot), 255);
    if (!value) return std::nullopt;
    address = address << 8 | static_cast<Ipv4>(*value);
    text.remove_prefix(part < 3 ? dot + 1 : dot);
  }
  return address;
}

std::string Ipv4Text(Ipv4 address) {
  return std::to_string(address >> 24) + '.' + std::to_string(address >> 16 & 0xFF) + '.' +
         std::to_string(address >> 8 & 0xFF) + '.' + std::to_string(address & 0xFF);
}

bool Network::Contains(Ipv4 client) const {
  const Ipv4 mask = prefix == 0 ? 0 : ~Ipv4{0} << (32 - prefix);
  return (client & mask) == (address & mask);
}

std::optional<Network> ParseNetwork(std::string_view text) {
  const std::size_t slash = text.find('/');
  const std::optional<Ipv4> address = ParseIpv4(text.substr(0, slash));
  if (!address) return std::nullopt;
  if (slash == std::string_view::npos) return Network{*address, 32};
  const std::optional<int> prefix = ParsePart(text.substr(slash + 1), 32);
  if (!prefix) return std::nullopt;
  return Network{*address, *prefix};
}

}  // namespace kvbridge
