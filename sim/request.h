// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kvsim {

// The requests the controller answers.
enum class RequestKind {
  Version,           // letter frame "A"
  MemoryRead,        // letter frame "M"; value = controller address
  Status,            // 0x2440
  StatusControl,     // 0x2443; value = the 16-bit parameter
  PrintKey,          // 0x2445
  OutputMode,        // 0x7011; value = mode byte (0 manual, 1 print key)
  MeasurementStart,  // 0x2140
  Settings,          // 0x7001
  ParameterCount,    // 0x7003 with byte 8 = 0
  ParameterRecord,   // 0x7003 with byte 8 = 1; value = record index
  EvaluationSize,    // 0x7004 with byte 10 = 0
  EvaluationBlock,   // 0x7004 with byte 10 = 1
  GraphSize,         // 0x7005 with byte 10 = 0; value = graph type
  GraphBlock,        // 0x7005 with byte 10 = 1; value = graph type
  MeasuredProfile,   // 0x2340
  CardCount,         // 0x7006 with byte 9 = 0
  CardEntry,         // 0x7006 with byte 9 = 1; value = entry index
  CardSize,          // 0x7007, body length 20; value = bytes 10-11 (carried entry index)
  CardBlock,         // 0x7007, body length 32: the next 400 bytes
};

struct Request {
  RequestKind kind;
  std::uint32_t value = 0;
  std::uint8_t set = 0;  // evaluation set of 0x7001 to 0x7005 (0 = A, 1 = B)
  std::string name{};    // bytes 12-19 of 0x7006 and 0x7007 up to the first NUL
};

// Either a request or the reason the frame gets no answer.
struct ParsedRequest {
  std::optional<Request> request;
  std::string problem;
};

// Checks one request frame byte by byte: length, start mark, body length,
// the fixed letters and every byte that must be 0. Only an exact frame is
// accepted, so a malformed frame never gets a normal answer. The bytes that
// CF card requests carry from earlier ones are checked by CfCard::Accept.
ParsedRequest ParseRequest(std::span<const std::uint8_t> frame);

}  // namespace kvsim
