// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

#include "results/results_view.h"

namespace kv {

// Displays that show nothing, for runs without a window: the files and the
// outcome tell what was read.
template <typename Base = ResultsView>
struct SilentView : Base {
  void ShowParameters(const std::string&) override {}
  void ShowConditions(const std::array<std::string, 5>&) override {}
  void ShowConditionCaption(int, int) override {}
  void ShowProgress(int) override {}
  void SetProgress(int) override {}
  void HideProgress() override {}
};

}  // namespace kv
