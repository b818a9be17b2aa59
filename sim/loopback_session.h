// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
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

  // What the connection does once the answers so far are sent.
  enum class Outcome {
    NeedMore,  // waits for the next message
    End,       // ends: an unknown opcode, an impossible length or a closed link
    Stall,     // stays open but answers nothing more: the controller stalled
  };

  explicit LoopbackSession(Controller& controller) : controller_(controller) {}

  // Answers every whole message at the front of `input`, appending the
  // answers to `output`, and erases what it used from `input`; stops at the
  // first message that ends or stalls the connection. A read's answer waits
  // for the controller's reply delay.
  Outcome Take(std::vector<std::uint8_t>& input, std::vector<std::uint8_t>& output);

 private:
  // The message at the front of `input`: the bytes it used (0 while it is
  // incomplete) and what follows it.
  struct Step {
    std::size_t used = 0;
    Outcome outcome = Outcome::NeedMore;
  };

  Step Answer(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output);
  Outcome Read(std::size_t length, std::vector<std::uint8_t>& output);

  Controller& controller_;
};

}  // namespace kvsim
