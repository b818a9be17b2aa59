// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer: any bytes as a data file, through the splitter and the converters.
#include "datafile/condition_conversion.h"
#include "datafile/data_file_conversion.h"
#include "datafile/evaluation_conversion.h"
#include "recording_view.h"

namespace {

void Convert(const kv::DataLineList& lines, std::int16_t set) {
  kv::ProcessSettings settings;
  settings.EvaluationSelection = set;
  kvtest::RecordingView view;
  kv::ResultStage stage;
  kv::ConversionContext context{settings, view, stage};
  // A refusal must leave nothing for the caller to commit.
  if (!kv::ConvertDataFile(lines, context).ok() && !stage.empty()) __builtin_trap();
  // The later converters on their own, whatever the earlier ones found.
  for (std::int16_t unit : {1, 2}) {
    settings.UnitSetting = unit;
    kv::Result<double> pitch = kv::DataFileToEvaluation(lines, context);
    (void)kv::DataFileToCondition(lines, context, pitch.ok() ? pitch.value() : 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // A small capacity as well, so that its limit is met.
  (void)kv::DataLinesFromBytes(bytes, 8);
  kv::Result<kv::DataLineList> lines = kv::DataLinesFromBytes(bytes, kv::kControllerFileLines);
  if (!lines.ok()) return 0;
  Convert(lines.value(), 0);
  Convert(lines.value(), 1);
  return 0;
}
