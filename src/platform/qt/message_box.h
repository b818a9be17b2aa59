// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace kv {

enum class MessageIcon { None, Critical };

// A modal message box with an OK button. With KV_BATCH=1 in the environment
// the text goes to standard error as one line "KV: <text>" and is answered
// with OK at once, so the program can run unattended.
void ShowMessage(QWidget* parent, const QString& text, MessageIcon icon);

}  // namespace kv
