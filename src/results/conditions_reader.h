// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "results/condition_lines.h"
#include "results/reader_context.h"

namespace kv {

// The measuring conditions of the last measurement (0x7001) for the selected
// evaluation set: shown in Text5 and Label1 3 and 4, written to
// "Condition.csv" in millimetres or in inches. Errors: the file cannot be written.
Status ReadConditionsMetric(ReaderContext& context);
Status ReadConditionsInch(ReaderContext& context);

// Shows the lines in the condition boxes and their captions, as both the
// controller and the data-file conversions do.
void ShowConditionLines(ResultsView& view, const ConditionLineArray& lines);

}  // namespace kv
