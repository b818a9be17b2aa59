// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "loopback_client.h"
#include "sim/controller.h"
#include "sim/loopback_server.h"

namespace kvsim::test {

using Bytes = std::vector<std::uint8_t>;

// `head` followed by zeros up to `length` bytes.
inline Bytes Padded(Bytes head, std::size_t length) {
  head.resize(length, 0);
  return head;
}

// `bytes` with `patch` written from byte `at`.
inline Bytes Patched(Bytes bytes, std::size_t at, const Bytes& patch) {
  std::copy(patch.begin(), patch.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
  return bytes;
}

// A numbered command frame: body length, code, and parameters from byte 8.
inline Bytes Command(std::uint16_t code, std::uint8_t body, const Bytes& parameters) {
  const Bytes head = {0xFF,
                      0x00,
                      body,
                      0x00,
                      0x20,
                      0x00,
                      static_cast<std::uint8_t>(code),
                      static_cast<std::uint8_t>(code >> 8)};
  return Patched(Padded(head, 64), 8, parameters);
}

// The little-endian bytes of a 64-bit float, and the float at `at`.
inline Bytes DoubleBytes(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  Bytes bytes;
  for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<std::uint8_t>(bits >> 8 * i));
  return bytes;
}

inline double DoubleAt(const Bytes& bytes, std::size_t at) {
  std::uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = bits << 8 | bytes.at(at + static_cast<std::size_t>(i));
  return std::bit_cast<double>(bits);
}

// `count` bytes from `at` as an unsigned little-endian number.
inline std::int64_t LeAt(const Bytes& bytes, std::size_t at, std::size_t count) {
  std::uint64_t bits = 0;
  for (std::size_t i = count; i-- > 0;) bits = bits << 8 | bytes.at(at + i);
  return static_cast<std::int64_t>(bits);
}

// A controller served on a free loopback port, and one client that has opened it.
class SimTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server.Listen(0));
    server.Start();
    client = std::make_unique<LoopbackClient>(server.Port());
    ASSERT_TRUE(client->connected());
    ASSERT_EQ(client->Open(std::string_view("Corvanet_KV\0", 13)), 0);
  }

  // Writes one frame and returns the reply to a 512-byte read.
  Bytes Exchange(const Bytes& frame) {
    EXPECT_EQ(client->Write(frame), static_cast<std::int32_t>(frame.size()));
    return client->Read(512).value_or(Bytes{0xEE});
  }

  Controller controller;
  LoopbackServer server{controller};
  std::unique_ptr<LoopbackClient> client;
};

// Frames as the program sends them.
inline const Bytes kVersionRequest = {0xFF, 0x00, 0x0C, 0x00, 0x00, 0x41, 0x00, 0x00,
                                      0x00, 0x00, 0x44, 0x00, 0x00, 0x00, 0x00, 0x00};
inline const Bytes kStatusRequest = Padded({0xFF, 0x00, 0x04, 0x00, 0x20, 0x00, 0x40, 0x24}, 64);
inline const Bytes kPrintKeyRequest = Padded({0xFF, 0x00, 0x04, 0x00, 0x20, 0x00, 0x45, 0x24}, 64);

}  // namespace kvsim::test
