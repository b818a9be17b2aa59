// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/parameters_reader.h"

#include "link/frame_builders.h"
#include "results/csv_file.h"

namespace kv {
namespace {

constexpr std::uint16_t kCommand = 0x7003;
constexpr std::uint16_t kBodyLength = 8;
constexpr int kMaxRecords = 256;  // the record index travels in one byte
constexpr std::size_t kNameField = 7;

// 8 = 0 count request, 1 record request; 9 = evaluation set (from firmware
// 1102 on); 10 = record index. The count comes back in 10-11, a record's text
// from 12.
Status SendRequest(ReaderContext& context, std::uint8_t kind, std::uint8_t index) {
  BeginCommandFrame(context.link, kCommand, kBodyLength, 64);
  Link& link = context.link;
  link.SendBuffer[8] = kind;
  if (context.settings.VersionNumber >= 1102) {
    link.SendBuffer[9] = static_cast<std::uint8_t>(context.settings.EvaluationSelection);
  }
  link.SendBuffer[10] = index;
  if (Status done = link.Exchange(kind == 0 ? 12 : 13); !done.ok()) {
    return Status::Error(done.code(),
                         "The calculation results could not be read: " + done.description());
  }
  return Status::Ok();
}

// Shift-JIS Greek letters: the lead byte 0x83 goes, the second byte becomes a Latin letter.
std::string Translate(std::string_view recordText) {
  std::string line;
  for (char c : recordText) {
    switch (static_cast<std::uint8_t>(c)) {
      case 0x83:
        break;
      case 0xA2:  // capital delta
        line += 'D';
        break;
      case 0xC9:  // small lambda
        line += 'L';
        break;
      case 0xC2:  // small delta
        line += 'd';
        break;
      default:
        line += c;
    }
  }
  return line;
}

// The first space ends the name; the name fills a field of seven characters.
// A longer name keeps one space; a line without a space stays as it is.
std::string AlignName(const std::string& line) {
  auto space = line.find(' ');
  if (space == std::string::npos) return line;
  std::size_t fill = space < kNameField - 1 ? kNameField - space : 1;
  return line.substr(0, space) + std::string(fill, ' ') + line.substr(space + 1);
}

// Rdq and Rda are RDq and RDa: the controller's small delta stands for a capital one there.
void FixDelta(std::string& line) {
  if (line.size() >= 2 &&
      (line.find("dq") != std::string::npos || line.find("da") != std::string::npos)) {
    line[1] = 'D';
  }
}

// Each line and its line break up to the first empty line, whose break still counts.
std::string ParameterDisplay(const LineList& lines) {
  std::string display;
  for (const auto& line : lines) {
    display += line + "\r\n";
    if (line.empty()) return display;
  }
  return display + "\r\n";
}

}  // namespace

std::string ParameterLine(std::string_view recordText) {
  std::string line = AlignName(Translate(recordText));
  FixDelta(line);
  return line;
}

Status ReadParameters(ReaderContext& context) {
  if (Status sent = SendRequest(context, 0, 0); !sent.ok()) return sent;
  int count = context.link.ReplyWord(10);
  if (count > kMaxRecords) {
    return Status::Error(StatusCode::kBadReply,
                         "The controller reports " + std::to_string(count) +
                             " calculation results; at most 256 can be read.");
  }
  LineList lines;
  for (int i = 0; i < count; ++i) {
    if (Status sent = SendRequest(context, 1, static_cast<std::uint8_t>(i)); !sent.ok()) {
      return sent;
    }
    const Link& link = context.link;
    lines.push_back(ParameterLine({reinterpret_cast<const char*>(link.ReceiveBuffer.data()) + 12,
                                   static_cast<std::size_t>(link.ReceivedCount - 12)}));
  }
  context.view.ShowParameters(ParameterDisplay(lines));
  context.stage.AddCsv("Parameter.csv", lines);
  return Status::Ok();
}

}  // namespace kv
