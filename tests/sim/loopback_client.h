// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace kvsim::test {

// One loopback-protocol message: opcode, a 32-bit number, then the payload.
std::vector<std::uint8_t> Message(char opcode, std::int32_t number,
                                  std::span<const std::uint8_t> payload = {});

// A bare client of the loopback protocol, written apart from the program's
// own so that each side checks the other. Every receive gives up after a few
// seconds, so a silent server fails a test instead of hanging it.
class LoopbackClient {
 public:
  explicit LoopbackClient(std::uint16_t port);
  ~LoopbackClient();
  LoopbackClient(const LoopbackClient&) = delete;
  LoopbackClient& operator=(const LoopbackClient&) = delete;

  bool connected() const { return fd_ >= 0; }

  // One message each; -1 when no answer came.
  std::int32_t Open(std::string_view name);
  std::int32_t Write(std::span<const std::uint8_t> frame);
  std::int32_t Close();
  // The reply bytes, after checking that the stated length fits the count.
  std::optional<std::vector<std::uint8_t>> Read(std::int32_t count = 512);

  void Send(std::span<const std::uint8_t> bytes);
  std::optional<std::int32_t> ReceiveNumber();
  std::optional<std::vector<std::uint8_t>> Receive(std::size_t count);
  // True when the server ends the connection (nothing more arrives).
  bool EndedByServer();

 private:
  int fd_ = -1;
};

}  // namespace kvsim::test
