// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "results/process_settings.h"
#include "results/result_stage.h"
#include "results/results_view.h"

namespace kv {

// What the data-file converters work with: all of it outlives one import.
// The converters read EvaluationSelection and LanguageIndex, write
// UnitSetting (1 metric, 2 inch), show their results in the view and put
// their files into the stage.
struct ConversionContext {
  ProcessSettings& settings;
  ResultsView& view;
  ResultStage& stage;
};

}  // namespace kv
