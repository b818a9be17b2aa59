// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/loopback_session.h"

#include <string_view>
#include <thread>

namespace kvsim {
namespace {

constexpr std::size_t kNumber = 4;

std::int32_t GetLe32(std::span<const std::uint8_t> bytes) {
  return static_cast<std::int32_t>(std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 |
                                   std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24);
}

void PutLe32(std::vector<std::uint8_t>& output, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) output.push_back(static_cast<std::uint8_t>(bits >> 8 * i));
}

bool ValidLength(std::int32_t length) {
  return length >= 0 && static_cast<std::size_t>(length) <= LoopbackSession::kMaxPayload;
}

}  // namespace

LoopbackSession::Outcome LoopbackSession::Take(std::vector<std::uint8_t>& input,
                                               std::vector<std::uint8_t>& output) {
  std::size_t used = 0;
  Step step;
  do {
    step = Answer(std::span(input).subspan(used), output);
    used += step.used;
  } while (step.outcome == Outcome::NeedMore && step.used > 0);
  input.erase(input.begin(), input.begin() + static_cast<std::ptrdiff_t>(used));
  return step.outcome;
}

LoopbackSession::Step LoopbackSession::Answer(std::span<const std::uint8_t> input,
                                              std::vector<std::uint8_t>& output) {
  if (input.empty()) return {};
  const char opcode = static_cast<char>(input[0]);
  if (opcode == 'C') {
    controller_.Close();
    PutLe32(output, 0);
    return {1};
  }
  if (opcode != 'O' && opcode != 'W' && opcode != 'R') return {0, Outcome::End};
  if (input.size() < 1 + kNumber) return {};
  const std::int32_t number = GetLe32(input.subspan(1));
  if (!ValidLength(number)) return {0, Outcome::End};
  const auto length = static_cast<std::size_t>(number);
  if (opcode == 'R') return {1 + kNumber, Read(length, output)};
  if (input.size() < 1 + kNumber + length) return {};
  const std::span<const std::uint8_t> payload = input.subspan(1 + kNumber, length);
  const std::string_view name(reinterpret_cast<const char*>(payload.data()), payload.size());
  const int result = opcode == 'O' ? controller_.Open(name) : controller_.Write(payload);
  if (result < 0) return {1 + kNumber + length, Outcome::End};  // the link is closed
  PutLe32(output, result);
  return {1 + kNumber + length};
}

LoopbackSession::Outcome LoopbackSession::Read(std::size_t length,
                                               std::vector<std::uint8_t>& output) {
  std::vector<std::uint8_t> reply(length);
  const Controller::Delivery delivery = controller_.Deliver(reply);
  if (delivery.link == Controller::Link::Stalled) return Outcome::Stall;
  if (delivery.count >= 0) {
    // Holds up the serving loop, which has no other connection to serve; a
    // stop waits out at most this one delay.
    std::this_thread::sleep_for(delivery.delay);
    PutLe32(output, delivery.count);
    output.insert(output.end(), reply.begin(), reply.begin() + delivery.count);
  }
  return delivery.link == Controller::Link::Closed ? Outcome::End : Outcome::NeedMore;
}

}  // namespace kvsim
