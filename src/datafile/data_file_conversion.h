// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "datafile/conversion_context.h"
#include "datafile/data_lines.h"

namespace kv {

// The language texts that report a refused data file.
enum DataFileMessage : int {
  kDataFileConverted = 0,
  kNoResultSection = 23,
  kNoDataSection = 24,
  kConditionsNotConverted = 25,
};

// Converts a data file into the stage: results, evaluation data and
// conditions, in this order, each only after the one before succeeded.
// Returns kDataFileConverted, or the message of the converter that refused
// the file; the stage is emptied then, so that committing it changes no
// result file. The caller shows the message, may add files to the stage and
// commits it.
DataFileMessage ConvertDataFile(const DataLineList& lines, ConversionContext& context);

}  // namespace kv
