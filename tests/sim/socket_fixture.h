// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "link/transport.h"
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
inline std::int64_t LeAt(const Bytes& bytes, std::size_t at, std::size_t count) {
  std::uint64_t bits = 0;
  for (std::size_t i = count; i-- > 0;) bits = bits << 8 | bytes.at(at + i);
  return static_cast<std::int64_t>(bits);
}
inline Bytes DoubleBytes(double value) {
  return Le(std::bit_cast<std::uint64_t>(value), 8);
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

// Frames as the program sends them.
inline const Bytes kVersionRequest = {0xFF, 0x00, 0x0C, 0x00, 0x00, 0x41, 0x00, 0x00,
                                      0x00, 0x00, 0x44, 0x00, 0x00, 0x00, 0x00, 0x00};
inline const Bytes kStatusRequest = Command(0x2440, 4);
inline const Bytes kPrintKeyRequest = Command(0x2445, 4);
inline const Bytes kProfileRequest = Command(0x2340, 6, {10});
inline Bytes ParameterRequest(std::uint8_t mode, std::uint8_t set, std::uint8_t index) {
  return Command(0x7003, 8, {mode, set, index});
}
// 0x7004 (first byte 0) or 0x7005 (first byte the graph type).
inline Bytes SizeRequest(std::uint16_t code, std::uint8_t first, std::uint8_t set) {
  return Command(code, 12, {first, set, 0, 0, 1});
}
inline Bytes BlockRequest(std::uint16_t code, std::uint8_t first, std::uint8_t set) {
  return Command(code, 12, {first, set, 1, 0, 10});
}

// Writes one frame and returns the reply to a 512-byte read.
inline Bytes Exchange(kv::Transport& transport, const Bytes& frame) {
  EXPECT_EQ(transport.write(frame), static_cast<int>(frame.size()));
  Bytes reply(512);
  reply.resize(static_cast<std::size_t>(transport.read(reply)));
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
