// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/app_observer.h"

namespace kv {

class KV_Com;

// Hands what a job reports on the worker thread to the window's thread, in
// the order it came.
class WindowObserver : public AppObserver {
 public:
  explicit WindowObserver(KV_Com& window) : window_(window) {}

  void ClearResults() override;
  void ShowParameters(const std::string& text) override;
  void ShowConditions(const std::array<std::string, 5>& texts) override;
  void ShowConditionCaption(int label, int number) override;
  void ShowProgress(int maximum) override;
  void SetProgress(int value) override;
  void HideProgress() override;

 private:
  template <typename Call>
  void OnWindowThread(Call call);

  KV_Com& window_;
  int progressMaximum_ = 1;  // both on the job's thread
  int shownPercent_ = 0;
};

}  // namespace kv
