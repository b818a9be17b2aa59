// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/notice.h"

#include "app/message_id.h"

namespace kv {
namespace {

struct Wording {
  MessageId message;
  bool critical;
  bool withCause;  // the language text alone would not say what went wrong
};

std::optional<Wording> WordingOf(StatusCode code) {
  using enum StatusCode;
  switch (code) {
    case kControllerEvaluatesSetB:
      return Wording{MessageId::kControllerEvaluatesSetB, false, false};
    case kControllerEvaluatesSetA:
      return Wording{MessageId::kControllerEvaluatesSetA, false, false};
    case kNotReady:
      return Wording{MessageId::kControllerNotReady, true, false};
    case kNoData:
      return Wording{MessageId::kDataNotRead, true, false};
    case kNoReply:
    case kShortReply:
    case kLinkFailed:
    case kTimedOut:
    case kBadReply:
    case kNotADataFile:
      return Wording{MessageId::kDataNotRead, true, true};
    case kNoCardFiles:
    case kNoGraphData:
      return Wording{MessageId::kNoDataFound, true, false};
    case kNoMeasuredProfile:
      return Wording{MessageId::kMeasuredProfileNotRead, true, false};
    case kFileNotFetched:
      return Wording{MessageId::kCardFileNotRead, true, true};
    case kNoResultSection:
      return Wording{MessageId::kNoResultSection, true, false};
    case kNoDataSection:
      return Wording{MessageId::kNoDataSection, true, false};
    case kConditionsNotConverted:
      return Wording{MessageId::kConditionsNotRead, true, false};
    case kNoFileName:
      return Wording{MessageId::kNoFileSelected, true, false};
    default:
      return std::nullopt;
  }
}

}  // namespace

Notice NoticeOf(const Status& status, const LanguageTable& texts) {
  const auto wording = WordingOf(status.code());
  if (!wording) return {status.description(), true};
  const std::string& text = texts[static_cast<std::size_t>(wording->message)];
  // Without the language texts (a damaged workbook) the cause still tells what happened.
  if (text.empty()) return {status.description(), wording->critical};
  if (!wording->withCause) return {text, wording->critical};
  return {text + "\n" + status.description(), wording->critical};
}

}  // namespace kv
