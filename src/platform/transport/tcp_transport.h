// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "link/transport.h"

namespace kv {

// Reaches the controller simulator kv730-sim over a loopback TCP connection.
// Each operation is one message: a one-byte code and 32-bit little-endian
// numbers ('O' open, 'W' write, 'R' read, 'C' close). A refused or lost
// connection reads as a controller that does not answer.
class TcpTransport : public Transport {
 public:
  // `address` is "HOST:PORT"; only loopback hosts are accepted.
  explicit TcpTransport(std::string address);
  ~TcpTransport() override;

  int open(std::string_view device) override;
  void close() override;
  int write(std::span<const std::uint8_t> frame) override;
  int read(std::span<std::uint8_t> reply) override;

 private:
  bool Connect();
  void Disconnect();
  bool Send(std::span<const std::uint8_t> bytes);
  bool Receive(std::span<std::uint8_t> bytes);
  bool SendRequest(std::uint8_t code, std::int32_t number, std::span<const std::uint8_t> body);
  bool ReceiveNumber(std::int32_t& number);

  std::string address_;
  int socket_ = -1;
};

}  // namespace kv
