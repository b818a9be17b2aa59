// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "sim/controller.h"

namespace kvsim {

// The loopback protocol of one connection, without the socket. Every number
// is a 32-bit little-endian integer:
//   'O' length name  -> open result
//   'W' length frame -> count written
//   'R' count        -> length (at most count), then that many reply bytes
//   'C'              -> 0
class LoopbackSession {
 public:
  // Longest device name or frame taken, and most bytes one read may ask for.
  static constexpr std::size_t kMaxPayload = 65536;

  enum class Outcome { NeedMore, Bad };

  explicit LoopbackSession(Controller& controller) : controller_(controller) {}

  // Answers every whole message at the front of `input`, appending the
  // answers to `output`, and erases what it used from `input`. Returns Bad on
  // an unknown opcode or an impossible length: the connection must end.
  Outcome Take(std::vector<std::uint8_t>& input, std::vector<std::uint8_t>& output);

 private:
  // Bytes used by the message at the front of `input`: 0 while it is
  // incomplete, none when it is bad.
  std::optional<std::size_t> Answer(std::span<const std::uint8_t> input,
                                    std::vector<std::uint8_t>& output);

  Controller& controller_;
};

}  // namespace kvsim
