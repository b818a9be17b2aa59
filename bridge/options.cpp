// SPDX-License-Identifier: GPL-3.0-or-later
#include "options.h"

#include <charconv>
#include <string_view>

namespace kvbridge {
namespace {

// "ADDR:PORT" into `options`; false when it is not one.
bool ParseListen(std::string_view text, Options& options) {
  const std::size_t colon = text.rfind(':');
  if (colon == std::string_view::npos) return false;
  const std::optional<Ipv4> address = ParseIpv4(text.substr(0, colon));
  const std::string_view port = text.substr(colon + 1);
  unsigned value = 0;
  const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), value);
  if (!address || port.empty() || error != std::errc() || end != port.data() + port.size() ||
      value > 0xFFFF) {
    return false;
  }
  options.address = *address;
  options.port = static_cast<std::uint16_t>(value);
  return true;
}

// "NET,NET,..." added to `allowed`; false at the first that is not one.
bool ParseAllow(std::string_view text, std::vector<Network>& allowed) {
  while (true) {
    const std::size_t comma = text.find(',');
    const std::optional<Network> network = ParseNetwork(text.substr(0, comma));
    if (!network) return false;
    allowed.push_back(*network);
    if (comma == std::string_view::npos) return true;
    text.remove_prefix(comma + 1);
  }
}

}  // namespace

ParsedOptions ParseOptions(std::span<const char* const> arguments) {
  Options options;
  std::vector<Network> allowed;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (argument == "--log") {
      options.log = true;
    } else if (argument == "--help") {
      options.help = true;
    } else if (argument == "--listen" && hasValue) {
      if (!ParseListen(arguments[++i], options)) {
        return {{}, "--listen takes ADDR:PORT, e.g. 192.168.1.20:5730"};
      }
    } else if (argument == "--allow" && hasValue) {
      if (!ParseAllow(arguments[++i], allowed)) {
        return {{}, "--allow takes addresses or networks, e.g. 192.168.1.0/24,10.0.0.7"};
      }
    } else {
      return {{}, "unknown or incomplete option " + std::string(argument)};
    }
  }
  if (!allowed.empty()) {
    options.allowed = allowed;
  } else if (!kLoopback.Contains(options.address)) {
    return {{},
            "listening on " + Ipv4Text(options.address) +
                " needs --allow with the clients that may use the controller"};
  }
  return {options, {}};
}

std::string Usage() {
  return "Usage: kv-usb-bridge [--listen ADDR:PORT] [--allow NET[,NET...]] [--log]\n"
         "Serves the controller behind USBDLL.dll (in this program's folder) to one\n"
         "kvcom at a time: KV_USB=tcp:HOST:PORT kvcom on the other PC.\n"
         "  --listen ADDR:PORT  where to listen (default 127.0.0.1:5730; port 0 picks\n"
         "                      a free one and prints it)\n"
         "  --allow NET,...     the clients served: addresses or networks such as\n"
         "                      192.168.1.0/24 (needed for any address but loopback;\n"
         "                      default: this PC only)\n"
         "  --log               each frame as a hex line on standard error\n";
}

}  // namespace kvbridge
