// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <winsock2.h>

#include <cstdint>

#include "options.h"
#include "platform/transport/transport.h"

namespace kvbridge {

// The bridge's listening socket: accepts one client at a time, serves it if
// the allow list has it and refuses it otherwise, and logs each connection
// on standard error. Needs Winsock started.
class Listener {
 public:
  Listener() = default;
  ~Listener();
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;

  // Binds options.address and options.port; 0 on success, else the Winsock error.
  int Listen(const Options& options);
  // The port bound (the one picked for port 0).
  std::uint16_t Port() const { return port_; }

  // Serves clients until the process ends.
  void Run(kv::Transport& driver, const Options& options);

 private:
  SOCKET socket_ = INVALID_SOCKET;
  std::uint16_t port_ = 0;
};

}  // namespace kvbridge
