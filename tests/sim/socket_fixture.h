// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/transport/transport.h"
#include "sim_fixture.h"

namespace kvsim::test {

using Bytes = std::vector<std::uint8_t>;

// `bytes` with `patch` written from byte `at`.
inline Bytes Patched(Bytes bytes, std::size_t at, const Bytes& patch) {
  std::copy(patch.begin(), patch.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
  return bytes;
}

inline Bytes Joined(std::initializer_list<Bytes> parts) {
  Bytes bytes;
  for (const Bytes& part : parts) bytes.insert(bytes.end(), part.begin(), part.end());
  return bytes;
}

inline Bytes Text(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

// The `count` low bytes of `value`, little-endian, and the number `count` bytes make at `at`.
inline Bytes Le(std::uint64_t value, std::size_t count) {
  Bytes bytes(count);
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(value >> 8 * i);
  return bytes;
}
inline std::size_t LeAt(const Bytes& bytes, std::size_t at, std::size_t count) {
  std::size_t value = 0;
  for (std::size_t i = count; i-- > 0;) value = value << 8 | bytes.at(at + i);
  return value;
}

// A numbered command frame of `length` bytes: body length, code, parameters
// from byte 8. A reply carries its request's header with its own body length.
inline Bytes Command(std::uint16_t code, std::size_t body, const Bytes& parameters = {},
                     std::size_t length = 64) {
  const Bytes head = Joined({{0xFF, 0x00}, Le(body, 2), {0x20, 0x00}, Le(code, 2)});
  return Patched(Patched(Bytes(length), 0, head), 8, parameters);
}
inline Bytes Reply(std::uint16_t code, std::size_t length) {
  return Command(code, length - 4, {}, length);
}

inline const Bytes kStatusRequest = Command(0x2440, 4);
inline const Bytes kPrintKeyRequest = Command(0x2445, 4);

// Writes one frame and returns the reply to a 512-byte read.
inline Bytes Exchange(kv::Transport& transport, const Bytes& frame) {
  EXPECT_EQ(transport.write(frame), static_cast<int>(frame.size()));
  Bytes reply(512);
  reply.resize(static_cast<std::size_t>(std::max(transport.read(reply), 0)));
  return reply;
}

// The controller on its real loopback socket, opened through the program's transport.
class SimTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(sim.transport->open("Corvanet_KV"), 0); }
  Bytes Exchange(const Bytes& frame) { return test::Exchange(*sim.transport, frame); }

  kvtest::SimOverSocket sim;
  Controller& controller = sim.controller;
};

}  // namespace kvsim::test
