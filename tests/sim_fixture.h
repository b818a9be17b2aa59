// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "platform/transport/tcp_transport.h"
#include "sim/loopback_server.h"

namespace kvtest {

// The controller simulator on its real loopback socket, and the program's
// client connected to it.
struct SimOverSocket {
  explicit SimOverSocket(kvsim::Config config = {})
      : controller(std::move(config)), server(controller) {
    server.Listen(0);
    server.Start();
    transport = std::make_unique<kv::TcpTransport>(Address());
  }
  std::string Address() const { return "127.0.0.1:" + std::to_string(server.Port()); }

  kvsim::Controller controller;
  kvsim::LoopbackServer server;
  std::unique_ptr<kv::TcpTransport> transport;
};

// A controller whose replies are cut to `length` bytes.
inline kvsim::Config Cut(std::size_t length) {
  return {.fault = kvsim::Fault::ShortAnswer, .shortLength = length};
}

}  // namespace kvtest
