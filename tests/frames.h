// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace kvtest {

using Bytes = std::vector<std::uint8_t>;

// A numbered command frame as the controller takes it: 64 bytes, body length,
// command, `parameters` from byte 8 and `name` from byte 12.
inline Bytes Command(std::uint16_t code, std::uint8_t body, const Bytes& parameters = {},
                     const std::string& name = "") {
  Bytes frame(64, 0);
  frame[0] = 0xFF;
  frame[2] = body;
  frame[4] = 0x20;
  frame[6] = static_cast<std::uint8_t>(code);
  frame[7] = static_cast<std::uint8_t>(code >> 8);
  std::copy(parameters.begin(), parameters.end(), frame.begin() + 8);
  std::copy(name.begin(), name.end(), frame.begin() + 12);
  return frame;
}

}  // namespace kvtest
