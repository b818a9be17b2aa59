// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/transport/transport_registry.h"

#include <string>

#ifdef _WIN32
#include <cstdio>

#include "platform/transport/usbdll_transport.h"
#else
#include "platform/transport/tcp_transport.h"
#endif

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

#ifdef _WIN32
// The controller's driver library answers in its own time: no time-out of
// ours. A library that cannot serve says why on standard error; its open then
// fails, and start-up takes its offline path.
std::unique_ptr<Transport> CreateTransport(std::string_view device, std::chrono::milliseconds) {
  if (!device.empty() && device != "usbdll") return std::make_unique<AbsentTransport>();
  auto library = std::make_unique<UsbDllTransport>();
  if (!library->loaded().ok()) {
    (void)std::fprintf(stderr, "%s\n", library->loaded().description().c_str());
  }
  return library;
}
#else
std::unique_ptr<Transport> CreateTransport(std::string_view device,
                                           std::chrono::milliseconds replyTimeout) {
  constexpr std::string_view kTcp = "tcp:";
  if (device.starts_with(kTcp)) {
    return std::make_unique<TcpTransport>(std::string(device.substr(kTcp.size())), replyTimeout);
  }
  return std::make_unique<AbsentTransport>();
}
#endif

}  // namespace kv
