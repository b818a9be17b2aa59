// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <optional>
#include <utility>

#include "platform/status.h"

namespace kv {

// Runs `work` on the thread of the QCoreApplication, where Qt lets fonts,
// printers and dialogs be used, and returns its Status or Result. Called from
// another thread it blocks until `work` is done, so the application thread
// must be running its event loop then.
template <typename Work>
auto OnApplicationThread(Work work) -> decltype(work()) {
  QCoreApplication* application = QCoreApplication::instance();
  if (!application) {
    return Status::Error(StatusCode::kFailed,
                         "The certificate cannot be drawn: the program runs no Qt application.");
  }
  if (QThread::currentThread() == application->thread()) return work();
  std::optional<decltype(work())> outcome;
  QMetaObject::invokeMethod(
      application, [&outcome, &work] { outcome.emplace(work()); }, Qt::BlockingQueuedConnection);
  if (!outcome) {
    return Status::Error(StatusCode::kFailed,
                         "The certificate cannot be drawn: the Qt application did not run it.");
  }
  return std::move(*outcome);
}

}  // namespace kv
