// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "network.h"

namespace kvbridge {

inline constexpr std::uint16_t kDefaultPort = 5730;

struct Options {
  Ipv4 address = kLoopback.address + 1;  // 127.0.0.1
  std::uint16_t port = kDefaultPort;     // 0 picks a free port
  // The clients served: every --allow network, or this PC alone without one.
  std::vector<Network> allowed = {kLoopback};
  bool log = false;  // each frame as a hex line on standard error
  bool help = false;
};

// Either the options or why the command line is wrong.
struct ParsedOptions {
  std::optional<Options> options;
  std::string problem;
};

// Parses the arguments after the program name. A listening address other
// than loopback needs an --allow list: the bridge hands the controller to
// whoever connects.
ParsedOptions ParseOptions(std::span<const char* const> arguments);

std::string Usage();

}  // namespace kvbridge
