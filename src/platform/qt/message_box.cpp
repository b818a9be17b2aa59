// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/message_box.h"

#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kv {
namespace {

bool BatchMode() {
  const char* batch = std::getenv("KV_BATCH");
  return batch && std::strcmp(batch, "1") == 0;
}

}  // namespace

void ShowMessage(QWidget* parent, const QString& text, MessageIcon icon) {
  if (BatchMode()) {
    QString line = text;
    line.replace('\n', ' ');
    (void)std::fprintf(stderr, "KV: %s\n", line.toUtf8().constData());
    (void)std::fflush(stderr);
    return;
  }
  QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
                  QString(), text, QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace kv
