// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_observer.h"

#include <QMetaObject>
#include <algorithm>

#include "ui/kv_com.h"

namespace kv {

template <typename Call>
void WindowObserver::OnWindowThread(Call call) {
  QMetaObject::invokeMethod(&window_, std::move(call), Qt::AutoConnection);
}

void WindowObserver::ClearResults() {
  OnWindowThread([this] { window_.ClearResultDisplays(); });
}

void WindowObserver::ShowParameters(const std::string& text) {
  OnWindowThread([this, text] { window_.ShowParameters(text); });
}

void WindowObserver::ShowConditions(const std::array<std::string, 5>& texts) {
  OnWindowThread([this, texts] { window_.ShowConditions(texts); });
}

void WindowObserver::ShowConditionCaption(int label, int number) {
  OnWindowThread([this, label, number] { window_.ShowConditionCaption(label, number); });
}

void WindowObserver::ShowProgress(int maximum) {
  progressMaximum_ = std::max(maximum, 1);
  shownPercent_ = 0;
  OnWindowThread([this, maximum] { window_.ShowProgress(maximum); });
}

// A long read moves the bar thousands of times; the window hears of each
// percent only, so its event loop stays free for the operator.
void WindowObserver::SetProgress(int value) {
  const int percent = static_cast<int>(100LL * value / progressMaximum_);
  if (percent == shownPercent_) return;
  shownPercent_ = percent;
  OnWindowThread([this, value] { window_.SetProgress(value); });
}

void WindowObserver::HideProgress() {
  OnWindowThread([this] { window_.HideProgress(); });
}

}  // namespace kv
