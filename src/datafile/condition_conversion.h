// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "datafile/conversion_context.h"
#include "datafile/data_lines.h"

namespace kv {

// "Condition.csv" from the Condition section of the selected evaluation set:
// the nine condition lines, each a fixed prefix and the value of its key as
// the file writes it, the pitch from DataFileToEvaluation and the unit
// UnitSetting holds. Shows them in Text5 and the Label1 captions. A
// kConditionsNotConverted error, with nothing shown or staged, when the
// section, a key it needs within the marker line and the 20 after it, or a
// known profile is missing.
Status DataFileToCondition(const DataLineList& lines, ConversionContext& context, double pitch);

}  // namespace kv
