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
  Settings,          // 0x7001; value = evaluation set (0 = A, 1 = B)
};

struct Request {
  RequestKind kind;
  std::uint32_t value = 0;
};

// Either a request or the reason the frame gets no answer.
struct ParsedRequest {
  std::optional<Request> request;
  std::string problem;
};

// Checks one request frame byte by byte: length, start mark, body length,
// the fixed letters and every byte that must be 0. Only an exact frame is
// accepted, so a malformed frame never gets a normal answer.
ParsedRequest ParseRequest(std::span<const std::uint8_t> frame);

}  // namespace kvsim
