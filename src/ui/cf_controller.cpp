// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/cf_controller.h"

#include <QListWidget>
#include <QPushButton>

#include "platform/code_page.h"
#include "ui/twips_layout.h"

namespace kv {

CF_Controller::CF_Controller(QWidget* parent, const ProcessSettings& settings,
                             const LanguageTable& LangText, PickerOutcome& outcome)
    : PickerDialog(parent, settings, LangText, 3300), outcome_(outcome) {
  setObjectName("CF_Controller");
  DesignWindow(this, "Controller", 5760, 3720);
  List1 = PlaceEmpty<QListWidget>(this, 150, 150, 3000, 3375);
  connect(Listslect, &QPushButton::clicked, this, &CF_Controller::Listslect_Click);
  connect(FormClose, &QPushButton::clicked, this, &CF_Controller::FormClose_Click);
  Form_Load();
}

void CF_Controller::SetEntries(std::vector<std::string> entries) {
  entries_ = std::move(entries);
  const char* codePage = CodePageOfLanguage(settings_.LanguageIndex);
  List1->clear();
  for (const std::string& entry : entries_)
    List1->addItem(QString::fromStdString(CodePageToUtf8(entry, codePage)));
}

void CF_Controller::Form_Activate() {
  if (settings_.VersionNumber < 1101) AllowSetAOnly();
}

void CF_Controller::Listslect_Click() {
  const QList<QListWidgetItem*> selected = List1->selectedItems();
  outcome_.SelectedFileEntry =
      selected.isEmpty() ? "" : entries_.at(static_cast<std::size_t>(List1->row(selected[0])));
  if (outcome_.SelectedFileEntry.empty()) {
    ShowLanguageMessage(27);
    return;
  }
  outcome_.FileChosen = 1;
  hide();
}

void CF_Controller::FormClose_Click() {
  outcome_.SelectedFileEntry.clear();
  outcome_.FileChosen = 0;
  hide();
}

}  // namespace kv
