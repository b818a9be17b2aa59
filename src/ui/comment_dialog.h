// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <array>

#include "app/application.h"

class QLineEdit;
class QPushButton;

namespace kv {

// The eight comment lines of the certificate: four headings (left) and
// their values (right), loaded from Comment.INI each time the dialog shows
// and saved when it is closed with its close button. Texts are shown in the
// code page of the controller's language.
class CommentDialog : public QDialog {
 public:
  CommentDialog(QWidget* parent, Application& application);

  void Form_Activate();
  void FormClose_Click();

  std::array<QLineEdit*, 8> Text1;
  QPushButton* FormClose;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  const char* CodePage() const;

  Application& application_;
};

}  // namespace kv
