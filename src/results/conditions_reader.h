// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "results/condition_lines.h"
#include "results/reader_context.h"

namespace kv {

// The measuring conditions of the last measurement (0x7001) for the selected
// evaluation set: shown, and staged as "Condition.csv" in millimetres or in
// inches. An error for a reply that is missing or short.
Status ReadConditionsMetric(ReaderContext& context);
Status ReadConditionsInch(ReaderContext& context);

// Shows the lines in the condition boxes and their captions, as both the
// controller and the data-file conversions do.
void ShowConditionLines(ResultsView& view, const ConditionLineArray& lines);

}  // namespace kv
