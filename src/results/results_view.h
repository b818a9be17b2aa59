// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

namespace kv {

// The main window's result displays, as the readers fill them. Texts are
// bytes in the controller's code page. Calls come on the user-interface thread.
class ResultsView {
 public:
  virtual ~ResultsView() = default;
  // The result box Output2: the parameter lines, each ended by CR LF.
  virtual void ShowParameters(const std::string& text) = 0;
  // The condition boxes Text5 0 to 4; Label1 3 and 4 get the country font.
  virtual void ShowConditions(const std::array<std::string, 5>& texts) = 0;
  // Label1 element `label` (3 or 4) shows language text `number`.
  virtual void ShowConditionCaption(int label, int number) = 0;
  // The progress bar ProgressBar1: shown from 0 to `maximum`, moved, hidden.
  virtual void ShowProgress(int maximum) = 0;
  virtual void SetProgress(int value) = 0;
  virtual void HideProgress() = 0;
};

}  // namespace kv
