// SPDX-License-Identifier: GPL-3.0-or-later
#include "datafile/data_file_conversion.h"

#include "datafile/condition_conversion.h"
#include "datafile/evaluation_conversion.h"
#include "datafile/parameter_conversion.h"

namespace kv {
namespace {

DataFileMessage Convert(const DataLineList& lines, ConversionContext& context) {
  if (DataFileToParameter(lines, context) == 0) return kNoResultSection;
  double pitch = 0;
  if (DataFileToEvaluation(lines, context, pitch) == 0) return kNoDataSection;
  if (DataFileToCondition(lines, context, pitch) == 0) return kConditionsNotConverted;
  return kDataFileConverted;
}

}  // namespace

DataFileMessage ConvertDataFile(const DataLineList& lines, ConversionContext& context) {
  DataFileMessage message = Convert(lines, context);
  if (message != kDataFileConverted) context.stage.Clear();
  return message;
}

}  // namespace kv
