// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/picker_dialog.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

#include "platform/locale/country_name.h"
#include "platform/qt/message_box.h"
#include "ui/country_font.h"
#include "ui/twips_layout.h"

namespace kv {

PickerDialog::PickerDialog(QWidget* parent, const ProcessSettings& settings,
                           const LanguageTable& LangText, int left)
    : QDialog(parent), settings_(settings), LangText_(LangText) {
  Frame1 = Place<QGroupBox>(this, "Frame1", left, 150, 2295, 1065);
  Option1 = {Place<QRadioButton>(Frame1, "A", 150, 300, 1995, 255),
             Place<QRadioButton>(Frame1, "B", 150, 600, 1995, 255)};
  Option1[0]->setChecked(true);
  Listslect = Place<QPushButton>(this, "Select", left + 375, 1500, 1545, 690);
  FormClose = Place<QPushButton>(this, "Close", left + 375, 2400, 1545, 690);
}

void PickerDialog::Form_Load() {
  const std::pair<QWidget*, int> controls[] = {
      {Listslect, 13}, {FormClose, 12}, {Frame1, 6}, {Option1[0], 7}, {Option1[1], 8},
  };
  const std::string country = GetCountryName();
  for (auto [control, number] : controls) {
    QFont font = control->font();
    ApplyCountryFont(font, country);
    control->setFont(font);
  }
  auto text = [this](int number) {
    return QString::fromStdString(LangText_[static_cast<std::size_t>(number)]);
  };
  Listslect->setText(text(13));
  FormClose->setText(text(12));
  Frame1->setTitle(text(6));
  Option1[0]->setText(text(7));
  Option1[1]->setText(text(8));
}

void PickerDialog::AllowSetAOnly() {
  Option1[0]->setChecked(true);
  Option1[1]->setEnabled(false);
  Option1[1]->setText(QString::fromStdString(LangText_[14]));
}

EvaluationSet PickerDialog::ChosenSet() const {
  return Option1[0]->isChecked() ? EvaluationSet::kA : EvaluationSet::kB;
}

void PickerDialog::ShowLanguageMessage(int number) {
  ShowMessage(this, QString::fromStdString(LangText_.at(static_cast<std::size_t>(number))),
              MessageIcon::Critical);
}

void PickerDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Form_Activate();
}

void PickerDialog::reject() {
  FormClose_Click();
}

}  // namespace kv
