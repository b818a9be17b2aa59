// SPDX-License-Identifier: GPL-3.0-or-later
// kv-usb-bridge: the controller's USB driver library, served over TCP to
// kvcom on another PC (KV_USB=tcp:HOST:PORT).
#include <winsock2.h>

#include <cstdio>
#include <span>

#include "listener.h"
#include "options.h"
#include "platform/transport/usbdll_transport.h"

namespace {

// Exit statuses: kvcom's for a missing controller, and the usage error.
constexpr int kNoDriver = 1;
constexpr int kCannotListen = 2;
constexpr int kUsage = 64;

}  // namespace

int main(int argc, char** argv) {
  const kvbridge::ParsedOptions parsed = kvbridge::ParseOptions(
      std::span<const char* const>(argv + 1, static_cast<std::size_t>(argc - 1)));
  if (!parsed.options) {
    (void)std::fprintf(stderr, "kv-usb-bridge: %s\n%s", parsed.problem.c_str(),
                       kvbridge::Usage().c_str());
    return kUsage;
  }
  const kvbridge::Options& options = *parsed.options;
  if (options.help) {
    (void)std::fputs(kvbridge::Usage().c_str(), stdout);
    return 0;
  }
  kv::UsbDllTransport driver;
  if (!driver.loaded().ok()) {
    (void)std::fprintf(stderr, "kv-usb-bridge: %s\n", driver.loaded().description().c_str());
    return kNoDriver;
  }
  WSADATA winsock;
  kvbridge::Listener listener;
  const int error = WSAStartup(MAKEWORD(2, 2), &winsock) != 0 ? -1 : listener.Listen(options);
  if (error != 0) {
    (void)std::fprintf(stderr, "kv-usb-bridge: cannot listen on %s:%u (error %d)\n",
                       kvbridge::Ipv4Text(options.address).c_str(), options.port, error);
    return kCannotListen;
  }
  (void)std::printf("listening on %u\n", listener.Port());
  (void)std::fflush(stdout);
  listener.Run(driver, options);
}
