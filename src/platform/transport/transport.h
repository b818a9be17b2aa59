// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string_view>

namespace kv {

// What write() and read() return instead of a byte count when the link
// itself failed: it closed or broke, or the controller's answer did not come
// in time.
inline constexpr int kLinkFailed = -1;
inline constexpr int kNoAnswerInTime = -2;

// How long one answer of the controller may take.
inline constexpr std::chrono::milliseconds kDefaultReplyTimeout{5000};

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

  // Sends one request frame. Returns the count of bytes written, or
  // kLinkFailed / kNoAnswerInTime.
  virtual int write(std::span<const std::uint8_t> frame) = 0;

  // Reads one reply into `reply`, at most reply.size() bytes. Returns the count
  // of bytes delivered (0 = no answer), or kLinkFailed / kNoAnswerInTime; the
  // rest of `reply` is left untouched.
  virtual int read(std::span<std::uint8_t> reply) = 0;
};

}  // namespace kv
