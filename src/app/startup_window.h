// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/status.h"

namespace kv {

// What start-up asks of the main window. The window runs each call on the
// user-interface thread; none of them throws.
class StartupWindow {
 public:
  virtual ~StartupWindow() = default;

  // Selects evaluation set A in Option1 without running its click handler.
  virtual void SelectEvaluationSetA() = 0;
  // Caption of Label4.
  virtual void ShowControllerVersion(const std::string& version) = 0;
  // Restores the saved window choices from Autoprint.INI.
  virtual void ApplySettings() = 0;
  // The whole read of the last measurement; an error is a run-time failure.
  virtual Status ReadAll() = 0;
  // Firmware without the print-key output: leaves that option unselected and hidden.
  virtual void WithdrawPrintKeyOutput() = 0;
  // Loads the language texts and applies them to the window.
  virtual Status LoadAndApplyLanguageTexts() = 0;
  // Offline: disables or hides every control that needs the controller.
  virtual void WithdrawControllerFunctions() = 0;
  // A message box with the critical-stop icon and an OK button.
  virtual void ShowCriticalMessage(const std::string& text) = 0;
  // The same, with language text `number`.
  virtual void ShowCriticalLanguageMessage(int number) = 0;
};

}  // namespace kv
