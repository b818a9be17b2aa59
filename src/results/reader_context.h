// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "link/link.h"
#include "results/process_settings.h"
#include "results/result_stage.h"
#include "results/results_view.h"

namespace kv {

// What every reply reader works with; all of it outlives the reader. Readers
// put their files into the stage; whoever runs them commits it once the whole
// sequence succeeded.
struct ReaderContext {
  Link& link;
  const ProcessSettings& settings;
  ResultsView& view;
  ResultStage& stage;
  std::int32_t& BlockCount;  // blocks of the last evaluation or graph read
};

}  // namespace kv
