// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/transport/transport_registry.h"

#include <array>
#include <functional>
#include <string>

#include "platform/transport/sim_transport.h"
#include "platform/transport/tcp_transport.h"

namespace kv {
namespace {

// No controller attached: nothing opens, nothing moves.
class AbsentTransport : public Transport {
 public:
  int open(std::string_view) override { return 1; }
  void close() override {}
  int write(std::span<const std::uint8_t>) override { return 0; }
  int read(std::span<std::uint8_t>) override { return 0; }
};

struct Backend {
  std::string_view prefix;
  std::function<std::unique_ptr<Transport>(std::string_view rest)> create;
};

const std::array<Backend, 2> kBackends{{
    {"tcp:",
     [](std::string_view rest) { return std::make_unique<TcpTransport>(std::string(rest)); }},
    {"sim",
     [](std::string_view) {
       return std::make_unique<SimTransport>(std::make_unique<kvsim::Controller>());
     }},
}};

}  // namespace

std::unique_ptr<Transport> CreateTransport(std::string_view device) {
  for (const auto& backend : kBackends) {
    if (device.starts_with(backend.prefix))
      return backend.create(device.substr(backend.prefix.size()));
  }
  return std::make_unique<AbsentTransport>();
}

}  // namespace kv
