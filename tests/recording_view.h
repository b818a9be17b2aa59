// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <map>
#include <string>

#include "results/results_view.h"

namespace kvtest {

// The main window's result displays as plain fields, the progress bar as a log.
struct RecordingView : kv::ResultsView {
  void ShowParameters(const std::string& text) override { parameters = text; }
  void ShowConditions(const std::array<std::string, 5>& texts) override { conditions = texts; }
  void ShowConditionCaption(int label, int number) override { captions[label] = number; }
  void ShowProgress(int maximum) override { progress += "show " + std::to_string(maximum) + ";"; }
  void SetProgress(int value) override { progress += std::to_string(value) + ";"; }
  void HideProgress() override { progress += "hide"; }

  std::string parameters = "untouched";
  std::array<std::string, 5> conditions{"untouched"};
  std::map<int, int> captions;  // Label1 element: language text number
  std::string progress;
};

}  // namespace kvtest
