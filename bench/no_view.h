// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

#include "results/results_view.h"

namespace kvbench {

// Displays that show nothing: only the program's own work is measured.
template <typename Base = kv::ResultsView>
struct NoView : Base {
  void ShowParameters(const std::string&) override {}
  void ShowConditions(const std::array<std::string, 5>&) override {}
  void ShowConditionCaption(int, int) override {}
  void ShowProgress(int) override {}
  void SetProgress(int) override {}
  void HideProgress() override {}
};

}  // namespace kvbench
