// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "datafile/conversion_context.h"
#include "datafile/data_lines.h"

namespace kv {

// "Parameter.csv" from the CalcResult section of the selected evaluation set:
// one line per parameter, its name, five spaces, then value and unit with the
// micro sign as "u". Shows the lines in Output2 and sets UnitSetting to 1
// (metric) or 2 (inch) by the first unit found. A kNoResultSection error,
// with nothing shown or staged, when the section is missing or holds more
// than 51 entries.
Status DataFileToParameter(const DataLineList& lines, ConversionContext& context);

}  // namespace kv
