// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>

namespace kvsim {

// Every number on the link is little-endian.
inline void PutLe(std::span<std::uint8_t> reply, std::size_t at, std::uint64_t value,
                  std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) reply[at + i] = static_cast<std::uint8_t>(value >> 8 * i);
}

// A 64-bit IEEE 754 float.
inline void PutDouble(std::span<std::uint8_t> reply, std::size_t at, double value) {
  PutLe(reply, at, std::bit_cast<std::uint64_t>(value), 8);
}

}  // namespace kvsim
