// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

namespace kv {

// Where the readers and converters show what they read. Texts are bytes in
// the controller's code page. Calls come on the thread that runs the job.
class ResultsView {
 public:
  virtual ~ResultsView() = default;
  // The parameter lines, each ended by CR LF.
  virtual void ShowParameters(const std::string& text) = 0;
  // The main conditions: standard, profile, filter, sampling count or
  // evaluation length, cut-off or motif limits.
  virtual void ShowConditions(const std::array<std::string, 5>& texts) = 0;
  // The caption of condition `label` (3: count or length, 4: cut-off or
  // limits) becomes language text `number`.
  virtual void ShowConditionCaption(int label, int number) = 0;
  // A long read's progress: from 0 to `maximum`, moved, ended.
  virtual void ShowProgress(int maximum) = 0;
  virtual void SetProgress(int value) = 0;
  virtual void HideProgress() = 0;
};

}  // namespace kv
