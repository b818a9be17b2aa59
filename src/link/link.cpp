// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/link.h"

#include <algorithm>
#include <bit>

namespace kv {

void Link::PrepareBuffers(std::int32_t sendLength, std::int32_t receiveLength) {
  SendLength = sendLength;
  ReceiveLength = receiveLength;
  SendBuffer.assign(static_cast<std::size_t>(sendLength), 0);
  ReceiveBuffer.assign(static_cast<std::size_t>(receiveLength), 0);
}

void Link::UsbTransaction() {
  transport_.write(std::span(SendBuffer).first(static_cast<std::size_t>(SendLength)));
  int count =
      transport_.read(std::span(ReceiveBuffer).first(static_cast<std::size_t>(ReceiveLength)));
  // A driver that claims more than was asked for must not lead a reader past the buffer.
  ReceivedCount = std::clamp(count, 0, ReceiveLength);
}

std::uint8_t Link::ReplyByte(std::size_t index) const {
  return index < ReceiveBuffer.size() ? ReceiveBuffer[index] : 0;
}

std::uint16_t Link::ReplyWord(std::size_t index) const {
  return static_cast<std::uint16_t>(ReplyByte(index) | ReplyByte(index + 1) << 8);
}

std::int32_t Link::ReplyLong(std::size_t index) const {
  return static_cast<std::int32_t>(ReplyWord(index) |
                                   static_cast<std::uint32_t>(ReplyWord(index + 2)) << 16);
}

double Link::ReplyDouble(std::size_t index) const {
  auto low = static_cast<std::uint32_t>(ReplyLong(index));
  auto high = static_cast<std::uint32_t>(ReplyLong(index + 4));
  return std::bit_cast<double>(static_cast<std::uint64_t>(high) << 32 | low);
}

}  // namespace kv
