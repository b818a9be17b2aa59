// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/request.h"

#include <array>
#include <cstddef>
#include <cstdio>
#include <string_view>
#include <utility>

#include "sim/graphs.h"

namespace kvsim {
namespace {

constexpr std::size_t kVersionLength = 16;
constexpr std::size_t kMemoryReadLength = 20;
constexpr std::size_t kCommandLength = 64;

// 0x7006 and 0x7007 use bytes 8-20: the file name sits at 12-19, 20 is 0.
constexpr std::size_t kCardParameterBytes = 13;
constexpr std::size_t kCardNameAt = 12;
constexpr std::size_t kCardNameBytes = 8;
constexpr std::uint16_t kCardBlockBytes = 400;

// A numbered command: bytes 8 .. 8 + parameterBytes - 1 carry its parameters,
// every later byte is 0.
struct CommandShape {
  std::uint16_t code;
  RequestKind kind;
  std::uint16_t bodyLength;
  std::size_t parameterBytes;
};

// 0x7011 and 0x7006 state body length 4 although parameters follow, and
// 0x2340 states 6 although its parameter fills bytes 8-11; that is how the
// controller expects them. The kind of 0x7003 to 0x7006 is the one of their
// first request; a parameter byte tells the other. 0x7007 has one shape per
// body length.
constexpr std::array<CommandShape, 13> kCommands = {{
    {0x2440, RequestKind::Status, 4, 0},
    {0x2443, RequestKind::StatusControl, 6, 2},
    {0x2445, RequestKind::PrintKey, 4, 0},
    {0x7011, RequestKind::OutputMode, 4, 1},
    {0x2140, RequestKind::MeasurementStart, 10, 0},
    {0x7001, RequestKind::Settings, 6, 2},
    {0x7003, RequestKind::ParameterCount, 8, 4},
    {0x7004, RequestKind::EvaluationSize, 12, 8},
    {0x7005, RequestKind::GraphSize, 12, 8},
    {0x2340, RequestKind::MeasuredProfile, 6, 4},
    {0x7006, RequestKind::CardCount, 4, kCardParameterBytes},
    {0x7007, RequestKind::CardSize, 20, kCardParameterBytes},
    {0x7007, RequestKind::CardBlock, 32, kCardParameterBytes},
}};
constexpr std::uint32_t kSizeCount = 1;    // bytes 12-15 of a size request
constexpr std::uint32_t kBlockCount = 10;  // bytes 12-15 of a block request, 8-11 of 0x2340

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
  (void)std::snprintf(text, sizeof text, "0x%0*X", digits, value);
  return text;
}

std::uint16_t Le16(std::span<const std::uint8_t> frame, std::size_t at) {
  return static_cast<std::uint16_t>(frame[at] | frame[at + 1] << 8);
}

std::uint32_t Le32(std::span<const std::uint8_t> frame, std::size_t at) {
  return Le16(frame, at) | std::uint32_t{Le16(frame, at + 2)} << 16;
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
  parsed.request = Request{RequestKind::MemoryRead, Le32(frame, kAddressAt)};
  return parsed;
}

ParsedRequest Accept(Request request) {
  return {request, {}};
}

// "byte 9 is 0x02, expected 0 or 1": the problem of a byte above `max`, else empty.
std::string CheckByte(std::span<const std::uint8_t> frame, std::size_t at, unsigned max,
                      std::string_view expected) {
  if (frame[at] <= max) return {};
  return "byte " + std::to_string(at) + " is " + Hex(frame[at], 2) + ", expected " +
         std::string(expected);
}

// 8: 0 count, 1 record; 9: evaluation set; 10: record index (0 in a count
// request); 11: 0.
ParsedRequest DecodeParameterRequest(std::span<const std::uint8_t> frame, const std::string& name) {
  const bool record = frame[8] == 1;
  for (const std::string& problem :
       {CheckByte(frame, 8, 1, "0 (count) or 1 (record)"),
        CheckByte(frame, 9, 1, "an evaluation set 0 or 1"),
        CheckByte(frame, 10, record ? 0xFF : 0, "0 in a count request"),
        CheckByte(frame, 11, 0, "0x00")}) {
    // NOLINTNEXTLINE(performance-inefficient-string-concatenation): once, on the way out
    if (!problem.empty()) return Reject(name + ": " + problem);
  }
  return Accept(
      {record ? RequestKind::ParameterRecord : RequestKind::ParameterCount, frame[10], frame[9]});
}

// 8: 0 (0x7004) or the graph type (0x7005); 9: evaluation set; 10: 0 size,
// 1 block; 11: 0; 12-15: 1 in a size request, 10 in a block request.
ParsedRequest DecodeBlockRequest(std::span<const std::uint8_t> frame, const CommandShape& shape,
                                 const std::string& name) {
  const bool graph = shape.kind == RequestKind::GraphSize;
  const bool block = frame[10] == 1;
  for (const std::string& problem :
       {graph ? CheckByte(frame, 8, kGraphTypes - 1, "a graph type 0, 1 or 2")
              : CheckByte(frame, 8, 0, "0x00"),
        CheckByte(frame, 9, 1, "an evaluation set 0 or 1"),
        CheckByte(frame, 10, 1, "0 (size) or 1 (block)"), CheckByte(frame, 11, 0, "0x00")}) {
    // NOLINTNEXTLINE(performance-inefficient-string-concatenation): once, on the way out
    if (!problem.empty()) return Reject(name + ": " + problem);
  }
  const std::uint32_t count = Le32(frame, 12);
  if (count != (block ? kBlockCount : kSizeCount)) {
    return Reject(name + ": bytes 12-15 hold " + std::to_string(count) + ", expected " +
                  (block ? "10 in a block request" : "1 in a size request"));
  }
  const RequestKind kind =
      graph ? (block ? RequestKind::GraphBlock : RequestKind::GraphSize)
            : (block ? RequestKind::EvaluationBlock : RequestKind::EvaluationSize);
  return Accept({kind, graph ? frame[8] : 0u, frame[9]});
}

// Bytes 12-20: a name of at most eight bytes, zero-padded, and byte 20 = 0;
// none when a byte follows a NUL.
std::optional<std::string> CardName(std::span<const std::uint8_t> frame) {
  std::string name;
  std::size_t i = kCardNameAt;
  for (; i < kCardNameAt + kCardNameBytes && frame[i] != 0; ++i) {
    name += static_cast<char>(frame[i]);
  }
  for (; i <= kCardNameAt + kCardNameBytes; ++i) {
    if (frame[i] != 0) return std::nullopt;
  }
  return name;
}

// 8: 0; 9: 0 count, 1 entry; 10-11: entry index; 12-20: nothing in a count
// request, the name of the last size request in an entry request (the card
// checks that it is the right one).
ParsedRequest DecodeCardListing(std::span<const std::uint8_t> frame, const std::string& name) {
  const bool entry = frame[9] == 1;
  for (const std::string& problem :
       {CheckByte(frame, 8, 0, "0x00"), CheckByte(frame, 9, 1, "0 (count) or 1 (entry)")}) {
    // NOLINTNEXTLINE(performance-inefficient-string-concatenation): once, on the way out
    if (!problem.empty()) return Reject(name + ": " + problem);
  }
  std::optional<std::string> carried = CardName(frame);
  if (!carried) return Reject(name + ": bytes 12-20 hold no zero-padded name");
  if (!entry && (Le16(frame, 10) != 0 || !carried->empty())) {
    return Reject(name + ": bytes 10-20 of a count request are not 0");
  }
  return Accept({entry ? RequestKind::CardEntry : RequestKind::CardCount, Le16(frame, 10), 0,
                 std::move(*carried)});
}

// 8: 0; 9: 0 size, 1 content; 10-11: the entry index a listing carries (the
// card checks it) in a size request, 400 in a content request; 12-19: the
// file name, zero-padded; 20: 0.
ParsedRequest DecodeCardFile(std::span<const std::uint8_t> frame, const CommandShape& shape,
                             const std::string& name) {
  const bool block = shape.kind == RequestKind::CardBlock;
  if (frame[8] != 0 || frame[9] != (block ? 1 : 0)) {
    return Reject(name + ": bytes 8-9 are " + Hex(frame[8], 2) + " " + Hex(frame[9], 2) +
                  ", expected 0x00 " + (block ? "0x01 (content)" : "0x00 (size)"));
  }
  if (block && Le16(frame, 10) != kCardBlockBytes) {
    return Reject(name + ": bytes 10-11 hold " + std::to_string(Le16(frame, 10)) +
                  ", expected 400");
  }
  std::optional<std::string> file = CardName(frame);
  if (!file || file->empty()) return Reject(name + ": bytes 12-20 hold no zero-padded file name");
  return Accept({shape.kind, Le16(frame, 10), 0, std::move(*file)});
}

// The parameter bytes: those with a fixed range are checked.
ParsedRequest DecodeParameters(const CommandShape& shape, std::span<const std::uint8_t> frame) {
  const std::string name = "command " + Hex(shape.code, 4);
  switch (shape.kind) {
    case RequestKind::StatusControl:
      return Accept({shape.kind, Le16(frame, 8)});
    case RequestKind::OutputMode:
      if (frame[8] > 1) {
        return Reject(name + ": mode byte " + Hex(frame[8], 2) + " is neither 0 nor 1");
      }
      return Accept({shape.kind, frame[8]});
    case RequestKind::Settings:
      if (frame[8] != 0 || frame[9] > 1) {
        return Reject(name + ": bytes 8-9 are " + Hex(frame[8], 2) + " " + Hex(frame[9], 2) +
                      ", expected 0 and an evaluation set 0 or 1");
      }
      return Accept({shape.kind, 0, frame[9]});
    case RequestKind::ParameterCount:
      return DecodeParameterRequest(frame, name);
    case RequestKind::EvaluationSize:
    case RequestKind::GraphSize:
      return DecodeBlockRequest(frame, shape, name);
    case RequestKind::CardCount:
      return DecodeCardListing(frame, name);
    case RequestKind::CardSize:
    case RequestKind::CardBlock:
      return DecodeCardFile(frame, shape, name);
    case RequestKind::MeasuredProfile:
      if (Le32(frame, 8) != kBlockCount) {
        return Reject(name + ": bytes 8-11 hold " + std::to_string(Le32(frame, 8)) +
                      ", expected 10");
      }
      return Accept({shape.kind});
    default:
      return Accept({shape.kind});
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
    if (candidate.code != code) continue;
    if (shape == nullptr || candidate.bodyLength == Le16(frame, 2)) shape = &candidate;
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
  return DecodeParameters(*shape, frame);
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
