// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "app/process_settings.h"
#include "link/link.h"
#include "platform/file_system.h"
#include "results/results_view.h"

namespace kv {

// What every reply reader works with; all of it belongs to the main window or
// the process and outlives the reader.
struct ReaderContext {
  Link& link;
  const ProcessSettings& settings;
  FileSystem& files;
  ResultsView& view;
  std::int32_t& BlockCount;  // blocks of the last evaluation or graph read
};

}  // namespace kv
