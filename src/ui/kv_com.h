// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "app/read_all.h"
#include "app/session.h"
#include "app/startup_window.h"
#include "datafile/data_file_import.h"
#include "results/reader_context.h"
#include "ui/language_texts.h"
#include "ui/picker_outcome.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTextEdit;

namespace kv {

class CF_Controller;
class CF_Personal;

// The main window: every job starts from one of its buttons; its option
// groups hold the operator's standing choices.
class KV_Com : public QWidget, public StartupWindow, public ReadAllWindow {
 public:
  explicit KV_Com(Session& session);
  ~KV_Com() override;

  // StartupWindow
  void SelectEvaluationSetA() override;
  void ShowControllerVersion(const std::string& version) override;
  void ApplySettings() override;
  Status ReadAll() override;
  void WithdrawPrintKeyOutput() override;
  Status LoadAndApplyLanguageTexts() override;
  void WithdrawControllerFunctions() override;
  void ShowCriticalMessage(const std::string& text) override;
  void ShowCriticalLanguageMessage(int number) override;

  // ReadAllWindow
  void ClearResultDisplays() override;
  void LetEventsRun() override;
  bool EvaluationSetASelected() const override;
  void ShowLanguageMessage(int number, bool critical) override;

  // Button handlers. Each returns what went wrong, after showing it; while
  // one runs, the others are not started (they return an error at once).
  Status Read_All_Data_Click();
  Status SheetPrint_Click();
  Status Preview_Click();
  Status Export_Click();
  Status Language_Click();
  Status CF_DataFile_Click();

  // The PC import that the PC picker and the command line run: a data file
  // at a Windows path into the result files, all or none.
  ImportOutcome ImportPcDataFile(const std::string& windowsPath);

  // ResultsView
  void ShowParameters(const std::string& text) override;
  void ShowConditions(const std::array<std::string, 5>& texts) override;
  void ShowConditionCaption(int label, int number) override;
  void ShowProgress(int maximum) override;
  void SetProgress(int value) override;
  void HideProgress() override;

  // What the reply readers work with.
  ReaderContext Readers();

  // Fonts by the country of the system locale, then the texts of LangText.
  void ApplyLanguageTexts();

  // The window texts and messages, for the whole run.
  LanguageTable LangText;

  // Controls, by the names the handlers use.
  QGroupBox *Frame1, *Frame2, *Frame3, *Frame4, *Frame5, *Frame6, *Frame7, *Frame8, *Frame9;
  QPushButton *Read_All_Data, *CF_DataFile, *SheetPrint, *Preview, *Export, *Language, *Comment,
      *MainClose;
  std::array<QRadioButton*, 2> Option1;
  std::array<QRadioButton*, 3> Option2;
  std::array<QRadioButton*, 2> Option3;
  std::array<QRadioButton*, 2> Option4;
  std::array<QCheckBox*, 2> Check1;
  std::array<QLabel*, 5> Label1;
  std::array<QLineEdit*, 5> Text5;
  QTextEdit* Output2;
  QLineEdit* Text2;
  QLabel *Label3, *Label4;
  QProgressBar* ProgressBar1;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void ConnectHandlers();

  void Option1_Click();
  void Option2_Click(int index);
  void Check1_Click();
  void Option4_Click(int index);
  void WriteAutoprint();
  // Runs `action` unless another controller or certificate action runs.
  template <typename Action>
  Status Exclusively(Action action);
  Status RunCertificate(std::span<const std::string_view> macros);
  void ShowError(const Status& status);
  Status ImportFromController();
  Status ImportFromPc();
  void ShowImportOutcome(const ImportOutcome& outcome);
  // Runs one import; a refused one leaves the unit as it was and the displays empty.
  ImportOutcome Import(const std::function<ImportOutcome(ConversionContext&)>& import);
  void SwitchToManualOutput();
  QString ControllerText(const std::string& bytes) const;

  Session& session_;
  bool shutDown_ = false;
  bool busy_ = false;
  // The pickers' outcome, and the pickers themselves: made on first use, then kept.
  PickerOutcome pickerOutcome_;
  std::unique_ptr<CF_Controller> controllerPicker_;
  std::unique_ptr<CF_Personal> pcPicker_;
};

}  // namespace kv
