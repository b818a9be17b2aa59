// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/block_reader.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "link/frame_builders.h"
#include "results/csv_file.h"
#include "results/number_text.h"

namespace kv {
namespace {

constexpr int kValuesPerBlock = 10;

struct BlockSource {
  std::uint16_t command;
  std::uint8_t type;  // byte 8: the graph type; 0 for the evaluation data
  const char* fileName;
  const char* what;
};

// 8 = type; 9 = evaluation set; 10 = 0 size request, 1 block request;
// 12-15 = values asked for (1 for the size, 10 for a block).
void PrepareRequest(ReaderContext& context, const BlockSource& source, bool block) {
  Link& link = context.link;
  WriteCommandHeader(link, source.command, 12);
  link.SendBuffer[8] = source.type;
  link.SendBuffer[9] = static_cast<std::uint8_t>(context.settings.EvaluationSelection);
  link.SendBuffer[10] = block ? 1 : 0;
  link.SendBuffer[12] = block ? kValuesPerBlock : 1;
}

std::string Left(const BlockSource& source) {
  return " \"" + std::string(source.fileName) + "\" was left as it was.";
}

Status NotRead(const BlockSource& source, const Status& why) {
  return Status::Error(why.code(), "The " + std::string(source.what) +
                                       " could not be read: " + why.description() + Left(source));
}

// Reply: 12-15 the count for the size request; values from 16 for a block.
Result<std::int16_t> ReadBlocks(ReaderContext& context, const BlockSource& source) {
  context.link.PrepareBuffers(64, 512);
  PrepareRequest(context, source, false);
  if (Status done = context.link.Exchange(16); !done.ok()) return NotRead(source, done);
  const std::int32_t total = context.link.ReplyLong(12);
  if (total <= 0) {
    context.BlockCount = 0;
    return std::int16_t{0};
  }
  if (static_cast<std::size_t>(total) > kResultLines) {
    return Status::Error(StatusCode::kBadReply, "The controller reports " + std::to_string(total) +
                                                    " values of the " + source.what +
                                                    "; at most 76001 can be kept." + Left(source));
  }
  const int blocks = (total + kValuesPerBlock - 1) / kValuesPerBlock;
  context.BlockCount = blocks;
  context.view.ShowProgress(blocks);
  PrepareRequest(context, source, true);
  const bool inch = context.settings.UnitSetting != 0;
  LineList lines;
  lines.reserve(static_cast<std::size_t>(total));
  for (int i = 0; i < blocks; ++i) {
    const auto values = std::min<std::int32_t>(kValuesPerBlock, total - i * kValuesPerBlock);
    if (Status done = context.link.Exchange(16 + 8 * values); !done.ok()) {
      context.view.HideProgress();
      return NotRead(source, done);
    }
    for (int k = 0; k < values; ++k) {
      double value = context.link.ReplyDouble(16 + 8 * static_cast<std::size_t>(k));
      if (!std::isfinite(value)) {
        context.view.HideProgress();
        return Status::Error(StatusCode::kBadReply,
                             "The controller sent a value of the " + std::string(source.what) +
                                 " that is not a number (value " +
                                 std::to_string(lines.size() + 1) + ")." + Left(source));
      }
      lines.push_back(GeneralNumberText(inch ? value / 25.4 * 1000 : value));
    }
    context.view.SetProgress(i);
  }
  context.view.HideProgress();
  context.stage.AddCsv(source.fileName, lines);
  return static_cast<std::int16_t>(blocks);
}

}  // namespace

Result<std::int16_t> ReadEvaluationData(ReaderContext& context) {
  return ReadBlocks(context, {0x7004, 0, "Evaluation.csv", "evaluation data"});
}

Result<std::int16_t> ReadGraphData(ReaderContext& context, std::int16_t type) {
  static constexpr BlockSource kGraphs[] = {
      {0x7005, 0, "Graph_ADC.Csv", "amplitude distribution curve"},
      {0x7005, 1, "Graph_BAC.Csv", "bearing area curve"},
      {0x7005, 2, "Graph_POW.Csv", "power spectrum"},
  };
  if (type < 0 || type > 2)
    return Status::Error(StatusCode::kFailed,
                         "There is no graph of type " + std::to_string(type) + ".");
  return ReadBlocks(context, kGraphs[type]);
}

}  // namespace kv
