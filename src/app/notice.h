// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "app/language_texts.h"
#include "platform/status.h"

namespace kv {

// A failure as the operator reads it: the language text its kind has, with
// the cause where it helps, and whether it gets the critical-stop icon.
struct Notice {
  std::string text;
  bool critical = true;
};

Notice NoticeOf(const Status& status, const LanguageTable& texts);

}  // namespace kv
