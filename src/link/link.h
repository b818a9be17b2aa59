// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/status.h"
#include "platform/transport/transport.h"

namespace kv {

// The link state the program owns for the whole run: the request and reply
// buffers and one request/reply exchange. Bytes a reply does not deliver read
// as 0 (or keep an earlier reply's value when the buffers are reused), so a
// reader takes reply fields only after Exchange() said they were delivered.
class Link {
 public:
  using Clock = std::chrono::steady_clock;

  explicit Link(Transport& transport) : transport_(transport) {}

  // "Corvanet_KV" and its NUL: the driver receives the name and two NUL bytes.
  static constexpr std::string_view DeviceName{"Corvanet_KV\0", 12};

  int Open() { return transport_.open(DeviceName); }  // 0 = open
  void Close() { transport_.close(); }

  // Sets the lengths and re-creates both buffers zero-filled.
  void PrepareBuffers(std::int32_t sendLength, std::int32_t receiveLength);

  // One write of SendLength bytes, then one read of ReceiveLength bytes.
  // ReceivedCount is what the read delivered, 0 when it failed.
  void UsbTransaction();

  // One transaction whose reply must hold at least `required` bytes. Fails,
  // with nothing to take from the reply, when the job was stopped or ran past
  // its deadline, the link failed, or the reply is missing or shorter.
  Status Exchange(std::int32_t required);

  // Bounds for the transactions of one job: a time by which it must be done,
  // and a flag that stops it before its next transaction.
  void SetDeadline(std::optional<Clock::time_point> deadline) { deadline_ = deadline; }
  void SetStopFlag(const std::atomic<bool>* stop) { stop_ = stop; }

  // Little-endian reply fields; bytes beyond the buffer read as 0.
  std::uint8_t ReplyByte(std::size_t index) const;
  std::uint16_t ReplyWord(std::size_t index) const;
  std::int32_t ReplyLong(std::size_t index) const;
  double ReplyDouble(std::size_t index) const;  // 64-bit IEEE 754

  std::vector<std::uint8_t> SendBuffer;
  std::vector<std::uint8_t> ReceiveBuffer;
  std::int32_t SendLength = 0;
  std::int32_t ReceiveLength = 0;
  std::int32_t ReceivedCount = 0;

 private:
  Transport& transport_;
  int lastWrite_ = 0;
  int lastRead_ = 0;
  std::optional<Clock::time_point> deadline_;
  const std::atomic<bool>* stop_ = nullptr;
};

}  // namespace kv
