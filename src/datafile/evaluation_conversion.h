// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "datafile/conversion_context.h"
#include "datafile/data_lines.h"

namespace kv {

// "Evaluation.csv" from the CalcData section of the selected evaluation set:
// the point count, one line not read, then "x;y;" lines with y in
// micrometres. Each value as written, or in microinches when UnitSetting is 2
// (inch). Returns the sampling pitch, the sixth x divided by 5. A
// kNoDataSection error, with nothing staged, when the section is missing, its
// count is not a whole number, a point line is missing, has fewer than two
// ";" or a value that is empty or not a number.
Result<double> DataFileToEvaluation(const DataLineList& lines, ConversionContext& context);

}  // namespace kv
