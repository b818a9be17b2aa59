// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "platform/transport/transport.h"
#include "sim/controller.h"

namespace kv {

// The controller simulator in this process: the same frames as over USB,
// without a socket in between.
class SimTransport : public Transport {
 public:
  explicit SimTransport(kvsim::Controller& controller) : controller_(controller) {}
  explicit SimTransport(std::unique_ptr<kvsim::Controller> owned)
      : owned_(std::move(owned)), controller_(*owned_) {}

  int open(std::string_view device) override { return controller_.Open(device); }
  void close() override { controller_.Close(); }
  int write(std::span<const std::uint8_t> frame) override { return controller_.Write(frame); }
  int read(std::span<std::uint8_t> reply) override { return controller_.Read(reply); }

 private:
  std::unique_ptr<kvsim::Controller> owned_;
  kvsim::Controller& controller_;
};

}  // namespace kv
