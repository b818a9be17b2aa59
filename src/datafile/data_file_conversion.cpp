// SPDX-License-Identifier: GPL-3.0-or-later
#include "datafile/data_file_conversion.h"

#include "datafile/condition_conversion.h"
#include "datafile/evaluation_conversion.h"
#include "datafile/parameter_conversion.h"

namespace kv {
namespace {

Status Convert(const DataLineList& lines, ConversionContext& context) {
  if (Status status = DataFileToParameter(lines, context); !status.ok()) return status;
  Result<double> pitch = DataFileToEvaluation(lines, context);
  if (!pitch.ok()) return pitch.status();
  return DataFileToCondition(lines, context, pitch.value());
}

}  // namespace

Status ConvertDataFile(const DataLineList& lines, ConversionContext& context) {
  Status status = Convert(lines, context);
  if (!status.ok()) context.stage.Clear();
  return status;
}

}  // namespace kv
