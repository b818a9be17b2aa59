// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/measurement_replies.h"

#include <algorithm>
#include <string>

#include "sim/reply_bytes.h"

namespace kvsim {
namespace {

constexpr std::size_t kBlockValues = 10;
constexpr std::size_t kRecordLength = 20;

// 12-15: how many values the sequence holds; its next block is the first.
void PutSize(std::span<std::uint8_t> reply, std::size_t total, std::size_t& cursor) {
  PutLe(reply, 12, total, 4);
  cursor = 0;
}

// 16 + 8k: the next ten values, 0.0 past the end.
void PutBlock(std::span<std::uint8_t> reply, const std::vector<double>& values,
              std::size_t& cursor) {
  for (std::size_t k = 0; k < kBlockValues; ++k, ++cursor) {
    PutDouble(reply, 16 + 8 * k, cursor < values.size() ? values[cursor] : 0.0);
  }
}

// 12..: the record text, so the reply ends where the text ends; 2-3 follow
// the new length. An index past the last record gets no text.
void PutRecordText(std::vector<std::uint8_t>& reply, const std::vector<std::string>& texts,
                   std::size_t index) {
  if (index < texts.size()) reply.insert(reply.end(), texts[index].begin(), texts[index].end());
  PutLe(reply, 2, reply.size() - 4, 2);
}

}  // namespace

MeasurementReplies::MeasurementReplies(const Config& config)
    : measurement_(Measure(config)),
      recordsPerReply_(config.recordsPerReply),
      profileStopsAfter_(config.profileStopsAfter) {}

bool MeasurementReplies::Fill(const Request& request, std::vector<std::uint8_t>& reply) {
  const EvaluationSet& set = measurement_.sets.at(request.set);
  switch (request.kind) {
    case RequestKind::ParameterCount:
      PutLe(reply, 10, set.parameterTexts.size(), 2);  // 10-11: record count
      return true;
    case RequestKind::ParameterRecord:
      PutRecordText(reply, set.parameterTexts, request.value);
      return true;
    case RequestKind::EvaluationSize:
      PutSize(reply, set.evaluation.size(), evaluationCursors_[request.set]);
      return true;
    case RequestKind::EvaluationBlock:
      PutBlock(reply, set.evaluation, evaluationCursors_[request.set]);
      return true;
    case RequestKind::GraphSize:
      PutSize(reply, set.graphs.at(request.value).size(),
              graphCursors_[request.set][request.value]);
      return true;
    case RequestKind::GraphBlock:
      PutBlock(reply, set.graphs.at(request.value), graphCursors_[request.set][request.value]);
      return true;
    case RequestKind::MeasuredProfile:
      return PutProfileRecords(reply);
    default:
      return false;
  }
}

// 8-11: record count, -1 after the last record; from 12: 20-byte records of
// 0-7 the value in um, 8-15 the position in mm, 16-19 the point number from 1.
// A count too large for the reply is still reported, and as much of its
// records as fits is sent. After the end the profile starts again.
bool MeasurementReplies::PutProfileRecords(std::span<std::uint8_t> reply) {
  if (profileStopsAfter_ && profileReplies_ >= *profileStopsAfter_) return false;
  ++profileReplies_;
  const std::vector<double>& profile = measurement_.measured;
  if (profileCursor_ >= profile.size()) {
    PutLe(reply, 8, 0xFFFFFFFF, 4);
    profileCursor_ = 0;
    return true;
  }
  const std::size_t count = std::min(recordsPerReply_, profile.size() - profileCursor_);
  PutLe(reply, 8, count, 4);
  for (std::size_t k = 0; k < count && 12 + kRecordLength * k < reply.size(); ++k) {
    const std::size_t point = profileCursor_ + k;
    std::array<std::uint8_t, kRecordLength> record{};
    PutDouble(record, 0, profile[point]);
    PutDouble(record, 8, static_cast<double>(point) * measurement_.pitch);
    PutLe(record, 16, point + 1, 4);
    const std::size_t at = 12 + kRecordLength * k;
    std::copy_n(record.begin(), std::min(kRecordLength, reply.size() - at),
                reply.begin() + static_cast<std::ptrdiff_t>(at));
  }
  profileCursor_ += count;
  return true;
}

}  // namespace kvsim
