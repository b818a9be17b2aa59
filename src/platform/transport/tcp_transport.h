// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/transport/transport.h"

namespace kv {

// Reaches the controller over TCP: the simulator kv730-sim, or kv-usb-bridge
// on the controller's Windows PC. Each operation is one message: a one-byte
// code and 32-bit little-endian numbers ('O' open, 'W' write, 'R' read, 'C'
// close). A write goes out with the next read and its answer is collected
// with that read's, so one transaction is one round trip. A refused or lost connection
// fails every operation with kLinkFailed; an answer that is not complete
// within the reply time-out gives kNoAnswerInTime and drops the connection,
// since the stream is out of step from then on.
class TcpTransport : public Transport {
 public:
  // `address` is "HOST:PORT" (an IPv6 host in brackets). Connecting may take
  // the reply time-out too.
  TcpTransport(std::string address, std::chrono::milliseconds replyTimeout = kDefaultReplyTimeout);
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
  bool CollectWriteAnswers();
  int Failure() const;

  using Clock = std::chrono::steady_clock;
  std::string address_;
  std::chrono::milliseconds replyTimeout_;
  Clock::time_point deadline_;
  bool timedOut_ = false;
  int socket_ = -1;
  std::vector<std::uint8_t> unsent_;  // writes that go out with the next message
  int writeAnswersDue_ = 0;           // writes whose answers are not yet read
};

}  // namespace kv
