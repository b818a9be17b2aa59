// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/request.h"

#include <array>
#include <cstddef>
#include <cstdio>
#include <string_view>
#include <utility>

namespace kvsim {
namespace {

constexpr std::size_t kVersionLength = 16;
constexpr std::size_t kMemoryReadLength = 20;
constexpr std::size_t kCommandLength = 64;

// A numbered command: bytes 8 .. 8 + parameterBytes - 1 carry its parameters,
// every later byte is 0.
struct CommandShape {
  std::uint16_t code;
  RequestKind kind;
  std::uint16_t bodyLength;
  std::size_t parameterBytes;
};

// 0x7011 states body length 4 although its mode byte follows; that is how the
// controller expects it.
constexpr std::array<CommandShape, 6> kCommands = {{
    {0x2440, RequestKind::Status, 4, 0},
    {0x2443, RequestKind::StatusControl, 6, 2},
    {0x2445, RequestKind::PrintKey, 4, 0},
    {0x7011, RequestKind::OutputMode, 4, 1},
    {0x2140, RequestKind::MeasurementStart, 10, 0},
    {0x7001, RequestKind::Settings, 6, 2},
}};

// Letter frames: the whole frame is fixed except the address at 12-15 of the
// memory read.
constexpr std::array<std::uint8_t, kVersionLength> kVersionFrame = {
    0xFF, 0x00, 0x0C, 0x00, 0x00, 0x41, 0x00, 0x00, 0x00, 0x00, 0x44, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr std::array<std::uint8_t, kMemoryReadLength> kMemoryReadFrame = {
    0xFF, 0x00, 0x10, 0x00, 0x00, 0x4D, 0x00, 0x00, 0x00, 0x00,
    0x44, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x52, 0x00};
constexpr std::size_t kAddressAt = 12;

std::string Hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%0*X", digits, value);
  return text;
}

std::uint16_t Le16(std::span<const std::uint8_t> frame, std::size_t at) {
  return static_cast<std::uint16_t>(frame[at] | frame[at + 1] << 8);
}

ParsedRequest Reject(std::string problem) {
  return {std::nullopt, std::move(problem)};
}

// The first byte that differs from `expected`, skipping [skipFrom, skipTo).
ParsedRequest CompareLetterFrame(std::span<const std::uint8_t> frame,
                                 std::span<const std::uint8_t> expected, std::size_t skipFrom,
                                 std::size_t skipTo, std::string_view name) {
  for (std::size_t i = 0; i < expected.size(); ++i) {
    if (i >= skipFrom && i < skipTo) continue;
    if (frame[i] != expected[i]) {
      return Reject(std::string(name) + " frame: byte " + std::to_string(i) + " is " +
                    Hex(frame[i], 2) + ", expected " + Hex(expected[i], 2));
    }
  }
  return {};
}

ParsedRequest ParseVersion(std::span<const std::uint8_t> frame) {
  ParsedRequest parsed = CompareLetterFrame(frame, kVersionFrame, 0, 0, "version");
  if (parsed.problem.empty()) parsed.request = Request{RequestKind::Version};
  return parsed;
}

ParsedRequest ParseMemoryRead(std::span<const std::uint8_t> frame) {
  ParsedRequest parsed =
      CompareLetterFrame(frame, kMemoryReadFrame, kAddressAt, kAddressAt + 4, "memory read");
  if (!parsed.problem.empty()) return parsed;
  const std::uint32_t address = Le16(frame, kAddressAt) | std::uint32_t{Le16(frame, 14)} << 16;
  parsed.request = Request{RequestKind::MemoryRead, address};
  return parsed;
}

// The parameter bytes that have a fixed range: the mode byte of 0x7011 and
// the "0, evaluation set" pair of 0x7001.
std::string CheckParameters(const CommandShape& shape, std::span<const std::uint8_t> frame) {
  const std::string name = "command " + Hex(shape.code, 4);
  if (shape.kind == RequestKind::OutputMode && frame[8] > 1) {
    return name + ": mode byte " + Hex(frame[8], 2) + " is neither 0 nor 1";
  }
  if (shape.kind == RequestKind::Settings && (frame[8] != 0 || frame[9] > 1)) {
    return name + ": bytes 8-9 are " + Hex(frame[8], 2) + " " + Hex(frame[9], 2) +
           ", expected 0 and an evaluation set 0 or 1";
  }
  return {};
}

std::uint32_t ParameterValue(const CommandShape& shape, std::span<const std::uint8_t> frame) {
  switch (shape.kind) {
    case RequestKind::StatusControl:
      return Le16(frame, 8);
    case RequestKind::OutputMode:
      return frame[8];
    case RequestKind::Settings:
      return frame[9];
    default:
      return 0;
  }
}

ParsedRequest ParseCommand(std::span<const std::uint8_t> frame) {
  if (frame[1] != 0 || frame[4] != 0x20 || frame[5] != 0) {
    return Reject("command frame: bytes 1, 4, 5 are " + Hex(frame[1], 2) + " " + Hex(frame[4], 2) +
                  " " + Hex(frame[5], 2) + ", expected 0x00 0x20 0x00");
  }
  const std::uint16_t code = Le16(frame, 6);
  const CommandShape* shape = nullptr;
  for (const CommandShape& candidate : kCommands) {
    if (candidate.code == code) shape = &candidate;
  }
  if (shape == nullptr) return Reject("unknown command " + Hex(code, 4));
  const std::string name = "command " + Hex(code, 4);
  if (Le16(frame, 2) != shape->bodyLength) {
    return Reject(name + ": body length " + std::to_string(Le16(frame, 2)) + ", expected " +
                  std::to_string(shape->bodyLength));
  }
  for (std::size_t i = 8 + shape->parameterBytes; i < frame.size(); ++i) {
    if (frame[i] != 0) {
      return Reject(name + ": byte " + std::to_string(i) + " is " + Hex(frame[i], 2) +
                    ", expected 0x00");
    }
  }
  if (std::string problem = CheckParameters(*shape, frame); !problem.empty())
    return Reject(problem);
  return {Request{shape->kind, ParameterValue(*shape, frame)}, {}};
}

}  // namespace

ParsedRequest ParseRequest(std::span<const std::uint8_t> frame) {
  if (frame.size() != kVersionLength && frame.size() != kMemoryReadLength &&
      frame.size() != kCommandLength) {
    return Reject("frame of " + std::to_string(frame.size()) + " bytes, expected 16, 20 or 64");
  }
  if (frame[0] != 0xFF) return Reject("start mark " + Hex(frame[0], 2) + ", expected 0xFF");
  switch (frame.size()) {
    case kVersionLength:
      return ParseVersion(frame);
    case kMemoryReadLength:
      return ParseMemoryRead(frame);
    default:
      return ParseCommand(frame);
  }
}

}  // namespace kvsim
