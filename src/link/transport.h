// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace kv {

// The controller's USB driver: exactly its four operations. Every call blocks
// until the driver returns; none of them throws. Backends live in
// src/platform/transport and are picked by CreateTransport().
class Transport {
 public:
  virtual ~Transport() = default;

  // Opens the device with the given name (the bytes up to the first NUL).
  // Returns 0 when the controller is open; any other value means failure.
  virtual int open(std::string_view device) = 0;

  // Closes the device. Harmless when nothing is open.
  virtual void close() = 0;

  // Sends one request frame. Returns the count of bytes written (0 = nothing).
  virtual int write(std::span<const std::uint8_t> frame) = 0;

  // Reads one reply into `reply`, at most reply.size() bytes. Returns the count
  // of bytes delivered (0 = no answer); the rest of `reply` is left untouched.
  virtual int read(std::span<std::uint8_t> reply) = 0;
};

}  // namespace kv
