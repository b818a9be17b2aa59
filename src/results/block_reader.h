// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "results/reader_context.h"

namespace kv {

// The evaluation data of the selected evaluation set (0x7004), ten values a
// request, staged as "Evaluation.csv"; micrometres, or microinches when the
// controller's unit is inch. Returns the blocks read, 0 when the controller
// has no values (nothing is staged then). An error for a reply that is
// missing or short, a count beyond what a result file holds, or a value that
// is not a number.
Result<std::int16_t> ReadEvaluationData(ReaderContext& context);

// The same for a result graph (0x7005): type 0 "Graph_ADC.Csv", 1
// "Graph_BAC.Csv", 2 "Graph_POW.Csv".
Result<std::int16_t> ReadGraphData(ReaderContext& context, std::int16_t type);

}  // namespace kv
