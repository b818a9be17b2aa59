// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/frame_builders.h"

namespace kv {
namespace {

void PutWord(std::vector<std::uint8_t>& buffer, std::size_t at, std::uint16_t value) {
  buffer[at] = static_cast<std::uint8_t>(value);
  buffer[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutLong(std::vector<std::uint8_t>& buffer, std::size_t at, std::uint32_t value) {
  PutWord(buffer, at, static_cast<std::uint16_t>(value));
  PutWord(buffer, at + 2, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace

// Numbered command, 64 bytes: 0 = 0xFF start mark; 2-3 = body length;
// 4 = 0x20; 6-7 = command code; parameters from 8.
void WriteCommandHeader(Link& link, std::uint16_t command, std::uint16_t bodyLength) {
  link.SendBuffer[0] = 0xFF;
  link.SendBuffer[1] = 0;
  PutWord(link.SendBuffer, 2, bodyLength);
  link.SendBuffer[4] = 0x20;
  link.SendBuffer[5] = 0;
  PutWord(link.SendBuffer, 6, command);
}

void BeginCommandFrame(Link& link, std::uint16_t command, std::uint16_t bodyLength,
                       std::int32_t receiveLength) {
  link.PrepareBuffers(64, receiveLength);
  WriteCommandHeader(link, command, bodyLength);
}

Result<std::uint32_t> ReadControllerStatus(Link& link) {
  BeginCommandFrame(link, 0x2440, 4, 64);
  if (Status done = link.Exchange(10); !done.ok()) return done;
  return std::uint32_t{link.ReplyWord(8)};  // 10-11 are not part of the status
}

// Replies whose fields are not used need only to come.
Status SetStatusControl(Link& link, std::int16_t value) {
  BeginCommandFrame(link, 0x2443, 6, 64);
  PutWord(link.SendBuffer, 8, static_cast<std::uint16_t>(value));
  return link.Exchange(1);
}

Result<std::int32_t> ReadPrintKeyState(Link& link) {
  BeginCommandFrame(link, 0x2445, 4, 64);
  if (Status done = link.Exchange(12); !done.ok()) return done;
  return link.ReplyLong(8);
}

Status SetOutputMode(Link& link, std::uint8_t mode) {
  BeginCommandFrame(link, 0x7011, 4, 64);  // the controller expects 4 although the mode follows
  link.SendBuffer[8] = mode;
  return link.Exchange(1);
}

Status SendStartCommand(Link& link) {
  BeginCommandFrame(link, 0x2140, 10, 64);
  return link.Exchange(1);
}

// Memory read, 20 bytes: 5 = 'M'; 10 = 'D'; 12-15 = address; 16-17 = count 1;
// 18 = 'R'. The value comes back in reply byte 20.
Result<std::int16_t> ReadControllerMemory(Link& link, std::uint32_t address) {
  link.PrepareBuffers(20, 64);
  link.SendBuffer[0] = 0xFF;
  PutWord(link.SendBuffer, 2, 16);
  link.SendBuffer[5] = 'M';
  link.SendBuffer[10] = 'D';
  PutLong(link.SendBuffer, 12, address);
  PutWord(link.SendBuffer, 16, 1);
  link.SendBuffer[18] = 'R';
  if (Status done = link.Exchange(21); !done.ok()) return done;
  return std::int16_t{link.ReplyByte(20)};
}

// Version, 16 bytes: 5 = 'A'; 10 = 'D'. The text comes back from reply byte
// 12; NUL bytes belong to it, only spaces are stripped.
Result<std::string> ReadControllerVersion(Link& link) {
  link.PrepareBuffers(16, 64);
  link.SendBuffer[0] = 0xFF;
  PutWord(link.SendBuffer, 2, 12);
  link.SendBuffer[5] = 'A';
  link.SendBuffer[10] = 'D';
  if (Status done = link.Exchange(13); !done.ok()) return done;
  std::string text(link.ReceiveBuffer.begin() + 12,
                   link.ReceiveBuffer.begin() + link.ReceivedCount);
  auto first = text.find_first_not_of(' ');
  if (text.find_first_not_of(std::string_view(" \0", 2)) == std::string::npos) {
    return Status::Error(StatusCode::kShortReply, "The controller sent no version text.");
  }
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

Result<ControllerSettings> ReadControllerSettings(Link& link, std::int16_t evaluationSelection) {
  BeginCommandFrame(link, 0x7001, 6, 512);
  link.SendBuffer[9] = static_cast<std::uint8_t>(evaluationSelection);
  if (Status done = link.Exchange(kSettingsReplyBytes); !done.ok()) return done;
  return ControllerSettings{link.ReplyByte(208), link.ReplyByte(209), link.ReplyByte(210)};
}

}  // namespace kv
