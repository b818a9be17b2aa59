// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <array>

#include "app/language_texts.h"
#include "app/saved_choices.h"
#include "results/process_settings.h"

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace kv {

// What both file pickers share: the evaluation-set choice and the buttons
// that accept or close. The settings and texts must outlive the window.
class PickerDialog : public QDialog {
 public:
  // The evaluation set to convert, kept between openings.
  EvaluationSet ChosenSet() const;
  // Each time the window shows.
  virtual void Form_Activate() = 0;
  // Closes the window without a file.
  virtual void FormClose_Click() = 0;

  QGroupBox* Frame1;
  std::array<QRadioButton*, 2> Option1;
  QPushButton *Listslect, *FormClose;

 protected:
  // Places the shared controls in a column starting `left` twips from the edge.
  PickerDialog(QWidget* parent, const ProcessSettings& settings, const LanguageTable& LangText,
               int left);

  // Fonts by the country of the system locale, then the texts of LangText.
  void Form_Load();
  // Firmware that knows only evaluation set A: set B cannot be chosen.
  void AllowSetAOnly();
  // LangText entry `number` in a message box with the critical-stop icon.
  void ShowLanguageMessage(int number);

  void showEvent(QShowEvent* event) override;
  // Escape and the window frame close the window as FormClose does.
  void reject() override;

  const ProcessSettings& settings_;
  const LanguageTable& LangText_;
};

}  // namespace kv
