// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/profile_reader.h"

#include <cmath>
#include <string>

#include "link/frame_builders.h"
#include "results/csv_file.h"
#include "results/number_text.h"

namespace kv {
namespace {

constexpr std::int32_t kEndMark = -1;
constexpr std::int32_t kMaxRecords = 16;  // the value bytes of a 17th record lie beyond the reply
constexpr std::int32_t kRecordSize = 20;  // 0-7 the value, 8-19 not used
constexpr std::int32_t kHeaderSize = 12;  // 8-11 the record count

Status Refuse(ReaderContext& context, StatusCode code, const std::string& why) {
  context.view.HideProgress();
  return Status::Error(code, why + " \"Measured.csv\" was left as it was.");
}

// Reply: 8-11 record count (-1 ends); records of 20 bytes from 12.
Status TakeRecords(ReaderContext& context, std::int32_t count, LineList& values) {
  const Link& link = context.link;
  for (std::int32_t k = 0; k < count; ++k) {
    if (values.size() == kProfileLines) {
      return Refuse(context, StatusCode::kBadReply,
                    "The measured profile has more than 50001 values.");
    }
    double value = link.ReplyDouble(kHeaderSize + kRecordSize * static_cast<std::size_t>(k));
    if (!std::isfinite(value)) {
      return Refuse(context, StatusCode::kBadReply,
                    "The controller sent a profile value that is not a number (value " +
                        std::to_string(values.size() + 1) + ").");
    }
    values.push_back(GeneralNumberText(value));
  }
  return Status::Ok();
}

}  // namespace

Result<std::int32_t> ReadMeasuredProfile(ReaderContext& context) {
  Link& link = context.link;
  BeginCommandFrame(link, 0x2340, 6, 320);  // the controller expects 6 although 8-11 are used
  link.SendBuffer[8] = 10;
  LineList values;
  while (true) {
    if (Status done = link.Exchange(kHeaderSize); !done.ok()) {
      return Refuse(context, done.code(),
                    "The measured profile could not be read: " + done.description());
    }
    const std::int32_t count = link.ReplyLong(8);
    if (count == kEndMark) break;
    if (count < 0 || count > kMaxRecords) {
      return Refuse(context, StatusCode::kBadReply,
                    "The controller sent " + std::to_string(count) +
                        " profile records in one reply; at most 16 fit.");
    }
    // The value of the last record must have come with this reply.
    if (count > 0 && link.ReceivedCount < kHeaderSize + kRecordSize * (count - 1) + 8) {
      return Refuse(context, StatusCode::kShortReply,
                    "The controller sent " + std::to_string(count) +
                        " profile records in a reply of " + std::to_string(link.ReceivedCount) +
                        " bytes.");
    }
    if (values.empty()) {
      // Sized by the last block read; before any, by the largest profile.
      int blocks = context.BlockCount > 0 ? context.BlockCount : int{kProfileLines / 10};
      context.view.ShowProgress(10 * blocks);
    }
    if (Status taken = TakeRecords(context, count, values); !taken.ok()) return taken;
    context.view.SetProgress(static_cast<int>(values.size() / 10));
  }
  context.view.HideProgress();
  if (values.empty()) return std::int32_t{0};
  const auto count = static_cast<std::int32_t>(values.size());
  context.stage.AddCsv("Measured.csv", values);
  return count;
}

}  // namespace kv
