// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/conditions_reader.h"

#include "link/frame_builders.h"
#include "results/csv_file.h"

namespace kv {
namespace {

// Reply layout: lengths in millimetres as 64-bit floats from 124, codes as
// single bytes from 189.
ConditionCodes DecodeReply(const Link& link) {
  ConditionCodes c;
  c.evaluationLength = link.ReplyDouble(124);
  for (std::size_t i = 0; i < c.motifLengths.size(); ++i) {
    c.motifLengths[i] = link.ReplyDouble(132 + 8 * i);
  }
  c.userValueA = link.ReplyDouble(172);
  c.userValueB = link.ReplyDouble(180);
  c.standard = link.ReplyByte(189);
  c.profile = link.ReplyByte(190);
  c.filter = link.ReplyByte(191);
  c.lambdaS = link.ReplyByte(193);
  c.length = link.ReplyByte(194);
  c.waveCutoff = link.ReplyByte(195);
  c.lambdaF = link.ReplyByte(196);
  c.samplingCount = link.ReplyByte(197);
  c.motif = link.ReplyByte(198);
  c.motifB = link.ReplyByte(199);
  c.pitch = link.ReplyByte(207);
  return c;
}

// The text from a 1-based position to the end, "" when the line is shorter.
std::string From(const std::string& line, std::size_t position) {
  return line.size() >= position ? line.substr(position - 1) : "";
}

Status ReadConditions(ReaderContext& context, bool inch) {
  BeginCommandFrame(context.link, 0x7001, 6, 512);
  context.link.SendBuffer[9] = static_cast<std::uint8_t>(context.settings.EvaluationSelection);
  if (Status done = context.link.Exchange(kSettingsReplyBytes); !done.ok()) {
    return Status::Error(done.code(),
                         "The measuring conditions could not be read: " + done.description());
  }
  ConditionLineArray lines =
      ConditionLines(DecodeReply(context.link), inch, context.settings.LanguageIndex);
  ShowConditionLines(context.view, lines);
  LineList file(lines.begin(), lines.end());
  context.stage.AddCsv("Condition.csv", file);
  return Status::Ok();
}

}  // namespace

void ShowConditionLines(ResultsView& view, const ConditionLineArray& lines) {
  view.ShowConditions({From(lines[4], 5), From(lines[2], 5), From(lines[3], 5), From(lines[1], 3),
                       From(lines[0], 5)});
  if (lines[1].find('L') != std::string::npos) view.ShowConditionCaption(3, 29);
  if (lines[0].find('A') != std::string::npos) view.ShowConditionCaption(4, 30);
  if (lines[0].find('B') != std::string::npos) view.ShowConditionCaption(4, 31);
}

Status ReadConditionsMetric(ReaderContext& context) {
  return ReadConditions(context, false);
}

Status ReadConditionsInch(ReaderContext& context) {
  return ReadConditions(context, true);
}

}  // namespace kv
