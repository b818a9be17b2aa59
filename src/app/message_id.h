// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kv {

// The language texts the program's messages show, by their
// number in the language workbook.
enum class MessageId : int {
  kControllerEvaluatesSetB = 17,
  kControllerEvaluatesSetA = 18,
  kControllerNotReady = 19,
  kDataNotRead = 20,
  kNoDataFound = 21,
  kCardFileNotRead = 22,
  kNoResultSection = 23,
  kNoDataSection = 24,
  kConditionsNotRead = 25,
  kMeasuredProfileNotRead = 26,
  kNoFileSelected = 27,
  kOffline = 46,
};

}  // namespace kv
