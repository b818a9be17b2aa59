// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "results/reader_context.h"

namespace kv {

// The measured profile of the last measurement (0x2340), up to 15 records a
// reply until the controller's end mark, staged as "Measured.csv". Returns
// the values read; with none nothing is staged. An error when the controller
// stops answering mid-way, sends more records than a reply holds, more values
// than 50001, or a value that is not a number.
Result<std::int32_t> ReadMeasuredProfile(ReaderContext& context);

}  // namespace kv
