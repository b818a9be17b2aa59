// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QThread>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "app/application.h"
#include "ui/picker_outcome.h"
#include "ui/window_observer.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTextEdit;
class QTimer;

namespace kv {

class CF_Controller;
class CF_Personal;
class CommentDialog;
class ProfileViewer;

// The main window: every job starts from one of its buttons and runs on the
// window's worker thread, so the window keeps repainting and showing
// progress; its option groups hold the operator's standing choices.
class KV_Com : public QWidget {
 public:
  KV_Com();
  ~KV_Com() override;

  // What the application reports to; give it to the Application, then Attach() it.
  AppObserver& Observer() { return observer_; }
  void Attach(Application& application);

  // After start-up: texts, version, choices, and what the outcome withdraws.
  void ShowStartup(StartupOutcome outcome);

  // The service buttons, hidden unless shown here.
  void ShowServiceButtons(bool shown);

  // Button handlers. Each shows what went wrong and returns it; while a job
  // runs, the others are refused.
  Status Read_All_Data_Click();
  Status SheetPrint_Click();
  Status Preview_Click();
  Status Export_Click();
  Status Language_Click();
  Status CF_DataFile_Click();
  Status Comment_Click();
  Status Option2_Click(int index);
  // The print-key poll and the blink of the waiting line, twice a second in
  // print-key output.
  void Timer1_Tick();
  // Service buttons.
  Status Version_Click();
  Status C00_Click();
  Status C2440_Click();
  Status C2340_Click();
  Status C7001_Click();
  Status C7003_Click();
  Status C7004_Click();
  Status C2140_Click();
  // The profile viewer, from the window's context menu or Ctrl+G: made on
  // first use, read again each time it is shown.
  ProfileViewer& ShowProfileViewer();

  // The result displays, filled on the window's thread.
  void ClearResultDisplays();
  void ShowParameters(const std::string& text);
  void ShowConditions(const std::array<std::string, 5>& texts);
  void ShowConditionCaption(int label, int number);
  void ShowProgress(int maximum);
  void SetProgress(int value);
  void HideProgress();

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
  QTimer* Timer1;
  QPushButton *Version, *Command2, *C7001, *C2340, *C2440, *C7004, *C00, *C7003, *C2140;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void BuildServiceRow(const QFont& font);
  void NameForAccessibility();
  void ShowPrintKeyMode(bool on);
  void ShowText(const std::string& text);
  void ConnectHandlers();
  void ApplyLanguageTexts();
  void ShowChoices(const SavedChoices& choices);
  void SaveChoices();
  void ShowCheck1();
  void WithdrawPrintKeyOutput();
  void WithdrawControllerFunctions();
  void ShowFailure(const Status& status);
  void SetBusy(bool busy);
  // Runs `job` on the worker thread and waits for it, letting window events run.
  template <typename Job>
  auto RunJob(Job job) -> decltype(job());
  template <typename Job>
  Status Exclusively(Job job, bool pauseControls = true);
  template <typename Job>
  Status Service(Job job);
  Status ImportFromController();
  Status ImportFromPc();
  QString ControllerText(const std::string& bytes) const;
  QString LanguageText(int number) const;

  Application* application_ = nullptr;
  WindowObserver observer_{*this};
  QThread workerThread_;
  QObject* worker_;
  bool busy_ = false;
  std::vector<QWidget*> pausedGroups_;
  bool closeRequested_ = false;
  bool shutDown_ = false;
  // The pickers' outcome, and the pickers themselves: made on first use, then kept.
  PickerOutcome pickerOutcome_;
  std::unique_ptr<CF_Controller> controllerPicker_;
  std::unique_ptr<CF_Personal> pcPicker_;
  std::unique_ptr<CommentDialog> commentDialog_;
  std::unique_ptr<ProfileViewer> profileViewer_;
  std::vector<QPushButton*> serviceButtons_;
  int printKeyBlink_ = 0;
};

}  // namespace kv
