// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/link.h"

#include <algorithm>
#include <bit>
#include <string>

namespace kv {

void Link::PrepareBuffers(std::int32_t sendLength, std::int32_t receiveLength) {
  SendLength = sendLength;
  ReceiveLength = receiveLength;
  ReceivedCount = 0;
  SendBuffer.assign(static_cast<std::size_t>(sendLength), 0);
  ReceiveBuffer.assign(static_cast<std::size_t>(receiveLength), 0);
}

void Link::UsbTransaction() {
  lastWrite_ = transport_.write(std::span(SendBuffer).first(static_cast<std::size_t>(SendLength)));
  lastRead_ =
      transport_.read(std::span(ReceiveBuffer).first(static_cast<std::size_t>(ReceiveLength)));
  // A driver that claims more than was asked for must not lead a reader past the buffer.
  ReceivedCount = std::clamp(lastRead_, 0, ReceiveLength);
}

Status Link::Exchange(std::int32_t required) {
  if (stop_ && stop_->load()) {
    return Status::Error(StatusCode::kCancelled, "The job was stopped before it was complete.");
  }
  if (deadline_ && Clock::now() > *deadline_) {
    return Status::Error(StatusCode::kTimedOut,
                         "The controller took too long: the job was stopped.");
  }
  UsbTransaction();
  if (lastWrite_ == kNoAnswerInTime || lastRead_ == kNoAnswerInTime) {
    return Status::Error(StatusCode::kNoReply, "The controller did not answer in time.");
  }
  if (lastWrite_ < 0 || lastRead_ < 0) {
    return Status::Error(StatusCode::kLinkFailed, "The link to the controller failed.");
  }
  if (ReceivedCount == 0) {
    return Status::Error(StatusCode::kNoReply, "The controller did not answer.");
  }
  if (ReceivedCount < required) {
    return Status::Error(StatusCode::kShortReply, "The controller answered " +
                                                      std::to_string(ReceivedCount) + " of " +
                                                      std::to_string(required) + " bytes.");
  }
  return Status::Ok();
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
