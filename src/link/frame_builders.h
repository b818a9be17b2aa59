// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "link/link.h"

namespace kv {

// Controller addresses read with the memory-read frame.
inline constexpr std::uint32_t kLanguageAddress = 0x0802E5D8;
inline constexpr std::uint32_t kUnitAddress = 0x0802E5D6;
inline constexpr std::uint32_t kEvaluationFlagAddress = 0x08005DA8;

// Numbered-command header into the current SendBuffer, without clearing it:
// readers that send several requests reuse their buffers.
void WriteCommandHeader(Link& link, std::uint16_t command, std::uint16_t bodyLength);

// Re-creates the buffers (64 bytes sent, `receiveLength` expected) and writes
// the numbered-command header.
void BeginCommandFrame(Link& link, std::uint16_t command, std::uint16_t bodyLength,
                       std::int32_t receiveLength);

// The builders each send one frame and return the reply fields they name,
// or why the reply did not hold them.
Result<std::uint32_t> ReadControllerStatus(Link& link);   // 0x2440: status word
Status SetStatusControl(Link& link, std::int16_t value);  // 0x2443
Result<std::int32_t> ReadPrintKeyState(Link& link);       // 0x2445: 16 = pressed
Status SetOutputMode(Link& link, std::uint8_t mode);      // 0x7011: 1 print key, 0 manual
Status SendStartCommand(Link& link);                      // 0x2140
Result<std::int16_t> ReadControllerMemory(Link& link, std::uint32_t address);
// The version text; a reply without one means the controller does not answer.
Result<std::string> ReadControllerVersion(Link& link);

struct ControllerSettings {
  std::int16_t UnitSetting = 0;
  std::int16_t LanguageIndex = 0;
  std::int16_t EvaluationFlag = 0;
};
// 0x7001 for the given evaluation set; the settings from reply bytes 208-210.
Result<ControllerSettings> ReadControllerSettings(Link& link, std::int16_t evaluationSelection);

// Reply lengths that hold the fields the builders and readers take.
inline constexpr std::int32_t kSettingsReplyBytes = 211;  // 0x7001: up to byte 210

}  // namespace kv
