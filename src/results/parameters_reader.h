// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "results/reader_context.h"

namespace kv {

// The calculation results of the last measurement (0x7003), one line per
// parameter with the name aligned, shown and staged as "Parameter.csv" (also
// when there are none). An error for a reply that is missing or short, or
// for what the controller cannot have meant (more than 256 records).
Status ReadParameters(ReaderContext& context);

// One record text as the file shows it: Greek letters of the controller's
// character set translated, the name aligned in a field of seven characters.
std::string ParameterLine(std::string_view recordText);

}  // namespace kv
