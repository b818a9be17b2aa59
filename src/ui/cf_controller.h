// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "ui/picker_dialog.h"
#include "ui/picker_outcome.h"

class QListWidget;

namespace kv {

// The modal window in which the user picks one of the data files the
// controller listed, and the evaluation set to convert. It talks to no
// device: the import flow fills its list and reads the outcome after exec().
// Settings, texts and outcome must outlive the window.
class CF_Controller : public PickerDialog {
 public:
  CF_Controller(QWidget* parent, const ProcessSettings& settings, const LanguageTable& LangText,
                PickerOutcome& outcome);

  // Replaces the list: one entry per data file, in the controller's code
  // page; each is shown as text and handed on as the controller sent it.
  void SetEntries(std::vector<std::string> entries);

  void Form_Activate() override;
  void Listslect_Click();
  void FormClose_Click() override;

  QListWidget* List1;

 private:
  PickerOutcome& outcome_;
  std::vector<std::string> entries_;
};

}  // namespace kv
