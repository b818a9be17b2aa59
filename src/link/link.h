// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "link/transport.h"

namespace kv {

// The link state the main window owns for the whole run: the request and
// reply buffers and one request/reply exchange. There is no framing, retry or
// time-out here: a failed transfer shows up as zero bytes in the reply.
class Link {
 public:
  explicit Link(Transport& transport) : transport_(transport) {}

  // "Corvanet_KV" and its NUL: the driver receives the name and two NUL bytes.
  static constexpr std::string_view DeviceName{"Corvanet_KV\0", 12};

  int Open() { return transport_.open(DeviceName); }  // 0 = open
  void Close() { transport_.close(); }

  // Sets the lengths and re-creates both buffers zero-filled.
  void PrepareBuffers(std::int32_t sendLength, std::int32_t receiveLength);

  // One write of SendLength bytes, then one read of ReceiveLength bytes.
  void UsbTransaction();

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
};

}  // namespace kv
