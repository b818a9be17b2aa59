// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "datafile/conversion_context.h"
#include "datafile/data_lines.h"

namespace kv {

// Converts a data file into the stage: results, evaluation data and
// conditions, in this order, each only after the one before succeeded.
// Returns the status of the converter that refused the file
// (kNoResultSection, kNoDataSection or kConditionsNotConverted); the stage is
// emptied then, so that committing it changes no result file. The caller
// shows the refusal, may add files to the stage and commits it.
Status ConvertDataFile(const DataLineList& lines, ConversionContext& context);

}  // namespace kv
