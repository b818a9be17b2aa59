// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/transport/transport_registry.h"

#include <string>

#include "platform/transport/tcp_transport.h"

namespace kv {
namespace {

// No controller attached: nothing opens, nothing moves.
class AbsentTransport : public Transport {
 public:
  int open(std::string_view) override { return 1; }
  void close() override {}
  int write(std::span<const std::uint8_t>) override { return kLinkFailed; }
  int read(std::span<std::uint8_t>) override { return kLinkFailed; }
};

}  // namespace

std::unique_ptr<Transport> CreateTransport(std::string_view device,
                                           std::chrono::milliseconds replyTimeout) {
  constexpr std::string_view kTcp = "tcp:";
  if (device.starts_with(kTcp)) {
    return std::make_unique<TcpTransport>(std::string(device.substr(kTcp.size())), replyTimeout);
  }
  return std::make_unique<AbsentTransport>();
}

}  // namespace kv
