// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/loopback_session.h"

#include <string_view>

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
  std::optional<std::size_t> size;
  while ((size = Answer(std::span(input).subspan(used), output)) && *size > 0) used += *size;
  input.erase(input.begin(), input.begin() + static_cast<std::ptrdiff_t>(used));
  return size ? Outcome::NeedMore : Outcome::Bad;
}

std::optional<std::size_t> LoopbackSession::Answer(std::span<const std::uint8_t> input,
                                                   std::vector<std::uint8_t>& output) {
  if (input.empty()) return 0;
  const char opcode = static_cast<char>(input[0]);
  if (opcode == 'C') {
    controller_.Close();
    PutLe32(output, 0);
    return 1;
  }
  if (opcode != 'O' && opcode != 'W' && opcode != 'R') return std::nullopt;
  if (input.size() < 1 + kNumber) return 0;
  const std::int32_t number = GetLe32(input.subspan(1));
  if (!ValidLength(number)) return std::nullopt;
  const auto length = static_cast<std::size_t>(number);
  if (opcode == 'R') {
    std::vector<std::uint8_t> reply(length);
    reply.resize(static_cast<std::size_t>(controller_.Read(reply)));
    PutLe32(output, static_cast<std::int32_t>(reply.size()));
    output.insert(output.end(), reply.begin(), reply.end());
    return 1 + kNumber;
  }
  if (input.size() < 1 + kNumber + length) return 0;
  const std::span<const std::uint8_t> payload = input.subspan(1 + kNumber, length);
  if (opcode == 'O') {
    const std::string_view name(reinterpret_cast<const char*>(payload.data()), payload.size());
    PutLe32(output, controller_.Open(name));
  } else {
    PutLe32(output, controller_.Write(payload));
  }
  return 1 + kNumber + length;
}

}  // namespace kvsim
