// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/kv_com.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTimer>

#include "app/message_id.h"
#include "platform/code_page.h"
#include "platform/locale/country_name.h"
#include "platform/qt/message_box.h"
#include "ui/cf_controller.h"
#include "ui/cf_personal.h"
#include "ui/comment_dialog.h"
#include "ui/country_font.h"
#include "ui/profile_viewer.h"

namespace kv {
namespace {

template <typename Choice, std::size_t N>
void Select(const std::array<QRadioButton*, N>& group, Choice choice) {
  group[static_cast<std::size_t>(choice)]->setChecked(true);
}

template <typename Choice, std::size_t N>
Choice Selected(const std::array<QRadioButton*, N>& group, Choice fallback) {
  for (std::size_t i = 0; i < N; ++i) {
    if (group[i]->isChecked()) return static_cast<Choice>(i);
  }
  return fallback;
}

// The offline message, with the cause when something other than the
// controller's absence sent the start-up offline (a folder that cannot be
// written, a damaged workbook): the operator must not chase a cable then.
std::string OfflineNotice(const Session& session) {
  std::string notice = session.texts[static_cast<std::size_t>(MessageId::kOffline)];
  if (notice.empty()) notice = "The KV controller is not connected: the program runs offline.";
  const Status& cause = session.offlineCause;
  if (cause.code() == StatusCode::kOffline) return notice;
  return notice + "\n" + cause.description();
}

}  // namespace

KV_Com::KV_Com() : worker_(new QObject) {
  BuildControls();
  ConnectHandlers();
  worker_->moveToThread(&workerThread_);
  connect(&workerThread_, &QThread::finished, worker_, &QObject::deleteLater);
  workerThread_.start();
}

KV_Com::~KV_Com() {
  workerThread_.quit();
  workerThread_.wait();
}

void KV_Com::Attach(Application& application) {
  application_ = &application;
}

void KV_Com::ConnectHandlers() {
  for (auto* option : {Option1[0], Option1[1], Option4[0], Option4[1]}) {
    connect(option, &QRadioButton::clicked, this, &KV_Com::SaveChoices);
  }
  for (int i = 0; i < 3; ++i) {
    connect(Option2[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
            [this, i] { Option2_Click(i); });
  }
  connect(Timer1, &QTimer::timeout, this, &KV_Com::Timer1_Tick);
  connect(Comment, &QPushButton::clicked, this, &KV_Com::Comment_Click);
  connect(Version, &QPushButton::clicked, this, &KV_Com::Version_Click);
  connect(Command2, &QPushButton::clicked, this, &KV_Com::ClearResultDisplays);
  connect(C00, &QPushButton::clicked, this, &KV_Com::C00_Click);
  connect(C2440, &QPushButton::clicked, this, &KV_Com::C2440_Click);
  connect(C2340, &QPushButton::clicked, this, &KV_Com::C2340_Click);
  connect(C7001, &QPushButton::clicked, this, &KV_Com::C7001_Click);
  connect(C7003, &QPushButton::clicked, this, &KV_Com::C7003_Click);
  connect(C7004, &QPushButton::clicked, this, &KV_Com::C7004_Click);
  connect(C2140, &QPushButton::clicked, this, &KV_Com::C2140_Click);
  for (QCheckBox* box : Check1) {
    connect(box, &QCheckBox::clicked, this, [this] {
      ShowCheck1();
      SaveChoices();
    });
  }
  connect(MainClose, &QPushButton::clicked, this, &QWidget::close);
  connect(Read_All_Data, &QPushButton::clicked, this, &KV_Com::Read_All_Data_Click);
  connect(SheetPrint, &QPushButton::clicked, this, &KV_Com::SheetPrint_Click);
  connect(Preview, &QPushButton::clicked, this, &KV_Com::Preview_Click);
  connect(Export, &QPushButton::clicked, this, &KV_Com::Export_Click);
  connect(Language, &QPushButton::clicked, this, &KV_Com::Language_Click);
  connect(CF_DataFile, &QPushButton::clicked, this, &KV_Com::CF_DataFile_Click);
  // Beside the designed controls, so the window's layout stays as it is.
  auto* viewer = new QAction("Profile viewer...", this);
  viewer->setShortcut(QKeySequence("Ctrl+G"));
  connect(viewer, &QAction::triggered, this, [this] { ShowProfileViewer(); });
  addAction(viewer);
  setContextMenuPolicy(Qt::ActionsContextMenu);
}

ProfileViewer& KV_Com::ShowProfileViewer() {
  if (!profileViewer_) {
    profileViewer_ = std::make_unique<ProfileViewer>(application_->session());
  } else {
    profileViewer_->Reload();
  }
  profileViewer_->show();
  profileViewer_->raise();
  return *profileViewer_;
}

void KV_Com::ShowStartup(StartupOutcome outcome) {
  const Session& session = application_->session();
  ApplyLanguageTexts();
  // The version text keeps the controller's NUL padding; the label shows the characters.
  QString version = QString::fromLatin1(session.ControllerVersion.data(),
                                        static_cast<qsizetype>(session.ControllerVersion.size()));
  Label4->setText(version.remove(QChar(u'\0')));
  ShowChoices(application_->choices());
  if (!application_->PrintKeyOutputAvailable()) WithdrawPrintKeyOutput();
  ShowPrintKeyMode(application_->choices().output == OutputMode::kPrintKey);
  if (outcome == StartupOutcome::kOffline) {
    WithdrawControllerFunctions();
    ShowMessage(this, QString::fromStdString(OfflineNotice(session)), MessageIcon::Critical);
  }
}

void KV_Com::ShowChoices(const SavedChoices& choices) {
  Select(Option1, choices.evaluationSet);
  Select(Option2, choices.output);
  Select(Option4, choices.paper);
  Check1[0]->setChecked(choices.graphs == GraphLayout::kBacAdc);
  Check1[1]->setChecked(choices.graphs == GraphLayout::kEnlargedProfile);
  ShowCheck1();
}

// The enlarged profile makes no sense beside the BAC/ADC curves.
void KV_Com::ShowCheck1() {
  if (Check1[0]->isChecked()) Check1[1]->setChecked(false);
  Check1[1]->setVisible(!Check1[0]->isChecked());
}

void KV_Com::SaveChoices() {
  SavedChoices choices = application_->choices();
  choices.evaluationSet = Selected(Option1, choices.evaluationSet);
  choices.output = Selected(Option2, choices.output);
  choices.paper = Selected(Option4, choices.paper);
  choices.graphs = Check1[0]->isChecked()   ? GraphLayout::kBacAdc
                   : Check1[1]->isChecked() ? GraphLayout::kEnlargedProfile
                                            : GraphLayout::kProfile;
  application_->Choose(choices);
}

void KV_Com::WithdrawPrintKeyOutput() {
  if (Option2[2]->isChecked()) Option2[1]->setChecked(true);
  Option2[2]->hide();
}

void KV_Com::WithdrawControllerFunctions() {
  for (QWidget* control : std::initializer_list<QWidget*>{
           Frame1, Frame2, Option1[0], Option1[1], Option2[0], Option2[2], Option3[0], Check1[0]}) {
    control->setEnabled(false);
  }
  Option2[1]->setChecked(true);
  Option3[1]->setChecked(true);
  Check1[0]->setChecked(false);
  ShowCheck1();
  Read_All_Data->hide();
}

template <typename Job>
auto KV_Com::RunJob(Job job) -> decltype(job()) {
  std::optional<decltype(job())> outcome;
  QEventLoop loop;
  QMetaObject::invokeMethod(worker_, [&] {
    outcome.emplace(job());
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec();
  return std::move(*outcome);
}

template <typename Job>
Status KV_Com::Exclusively(Job job, bool pauseControls) {
  if (busy_) return Status::Error(StatusCode::kBusy, "Another action is still running.");
  busy_ = true;
  if (pauseControls) SetBusy(true);
  Status status = job();
  if (pauseControls) SetBusy(false);
  busy_ = false;
  ShowFailure(status);
  if (closeRequested_) QTimer::singleShot(0, this, &QWidget::close);
  return status;
}

// The actions and choices a job depends on are off while it runs; only what
// the job itself switched off comes back.
void KV_Com::SetBusy(bool busy) {
  busy_ = busy;
  if (!busy) {
    for (QWidget* group : pausedGroups_) group->setEnabled(true);
    pausedGroups_.clear();
    return;
  }
  for (QWidget* group : {Frame2, Frame3, Frame8}) {
    if (!group->isEnabled()) continue;
    group->setEnabled(false);
    pausedGroups_.push_back(group);
  }
}

void KV_Com::ShowFailure(const Status& status) {
  if (status.ok() || status.code() == StatusCode::kCancelled) return;
  const Notice notice = application_->NoticeOf(status);
  ShowMessage(this, QString::fromStdString(notice.text),
              notice.critical ? MessageIcon::Critical : MessageIcon::None);
}

Status KV_Com::Read_All_Data_Click() {
  return Exclusively([this] { return RunJob([this] { return application_->ReadAll(); }); });
}

Status KV_Com::SheetPrint_Click() {
  return Exclusively([this] { return RunJob([this] { return application_->Print(); }); });
}

Status KV_Com::Preview_Click() {
  return Exclusively([this] {
    setEnabled(false);
    showMinimized();
    Status shown = RunJob([this] { return application_->Preview(); });
    showNormal();
    setEnabled(true);
    return shown;
  });
}

Status KV_Com::Export_Click() {
  return Exclusively([this] {
    auto exported = RunJob([this] { return application_->Export(); });
    return exported.ok() ? Status::Ok() : exported.status();
  });
}

Status KV_Com::Language_Click() {
  return Exclusively(
      [this] { return RunJob([this] { return application_->SwitchCertificateLanguage(); }); });
}

Status KV_Com::CF_DataFile_Click() {
  return Exclusively(
      [this] { return Option3[0]->isChecked() ? ImportFromController() : ImportFromPc(); });
}

Status KV_Com::ImportFromController() {
  auto listed = RunJob([this] { return application_->ListCardFiles(); });
  if (!listed.ok()) return listed.status();
  if (!controllerPicker_) {
    controllerPicker_ = std::make_unique<CF_Controller>(
        this, application_->session().settings, application_->session().texts, pickerOutcome_);
  }
  controllerPicker_->SetEntries(listed.value());
  controllerPicker_->exec();
  // A cancelled picker changes nothing and sends nothing more.
  if (pickerOutcome_.FileChosen != 1) return Status::Ok();
  const std::string entry = pickerOutcome_.SelectedFileEntry;
  const EvaluationSet set = controllerPicker_->ChosenSet();
  Status imported = RunJob([&] { return application_->ImportCardFile(entry, set); });
  ShowChoices(application_->choices());
  return imported;
}

Status KV_Com::ImportFromPc() {
  if (!pcPicker_) {
    pcPicker_ = std::make_unique<CF_Personal>(
        this, application_->session().settings, application_->session().texts, pickerOutcome_,
        application_->session().files, [this](const std::string& windowsPath, EvaluationSet set) {
          Status imported = RunJob([&] { return application_->ImportPcFile(windowsPath, set); });
          ShowChoices(application_->choices());
          ShowFailure(imported);
          return imported.ok();
        });
  }
  pcPicker_->exec();
  return Status::Ok();
}

void KV_Com::ShowServiceButtons(bool shown) {
  for (QPushButton* button : serviceButtons_) button->setVisible(shown);
}

// The print-key output runs the timer and shows the waiting line; the other
// outputs stop both.
void KV_Com::ShowPrintKeyMode(bool on) {
  if (on) {
    Timer1->start();
  } else {
    Timer1->stop();
  }
  Text2->setVisible(on);
}

Status KV_Com::Option2_Click(int index) {
  const auto mode = static_cast<OutputMode>(index);
  ShowPrintKeyMode(mode == OutputMode::kPrintKey);
  return Exclusively([&] { return RunJob([&] { return application_->SelectOutput(mode); }); },
                     false);
}

// A tick that comes while a job runs only blinks: no second print starts.
void KV_Com::Timer1_Tick() {
  if (!busy_) {
    busy_ = true;
    const bool pressed = RunJob([this] { return application_->PrintKeyPressed(); });
    busy_ = false;
    if (pressed) SheetPrint_Click();
  }
  if (printKeyBlink_ < 6) {
    ++printKeyBlink_;
    Text2->setVisible(true);
  } else if (printKeyBlink_ == 6) {
    ++printKeyBlink_;
    Text2->setVisible(false);
  } else {
    printKeyBlink_ = 0;
  }
}

Status KV_Com::Comment_Click() {
  if (!commentDialog_) commentDialog_ = std::make_unique<CommentDialog>(this, *application_);
  commentDialog_->exec();
  return Status::Ok();
}

void KV_Com::ShowText(const std::string& text) {
  Output2->setPlainText(ControllerText(text).remove(QChar(u'\0')));
}

// A service command: its failure shown like any other.
template <typename Job>
Status KV_Com::Service(Job job) {
  return Exclusively([&] { return RunJob(job); });
}

Status KV_Com::Version_Click() {
  return Exclusively([this] {
    Output2->clear();
    auto version = RunJob([this] { return application_->ReadVersionText(); });
    if (!version.ok()) return version.status();
    ShowText(version.value());
    return Status::Ok();
  });
}

Status KV_Com::C00_Click() {
  return Exclusively([this] {
    auto value = RunJob([this] { return application_->ReadEvaluationFlag(); });
    if (!value.ok()) return value.status();
    ShowText(value.value());
    return Status::Ok();
  });
}

Status KV_Com::C2440_Click() {
  return Service([this] { return application_->CheckControllerStatus(); });
}

Status KV_Com::C2340_Click() {
  return Service([this] { return application_->ReadMeasuredProfile(); });
}

Status KV_Com::C7001_Click() {
  return Service([this] { return application_->ReadConditions(); });
}

Status KV_Com::C7003_Click() {
  return Service([this] { return application_->ReadParameters(); });
}

Status KV_Com::C7004_Click() {
  return Service([this] { return application_->ReadBearingAreaCurve(); });
}

Status KV_Com::C2140_Click() {
  return Service([this] { return application_->SendStart(); });
}

void KV_Com::closeEvent(QCloseEvent* event) {
  if (busy_) {  // the job ends at its next transaction, then the window closes
    application_->RequestStop();
    closeRequested_ = true;
    event->ignore();
    return;
  }
  if (!shutDown_ && application_) application_->Shutdown();
  shutDown_ = true;
  event->accept();
}

QString KV_Com::LanguageText(int number) const {
  return QString::fromStdString(application_->session().texts.at(static_cast<std::size_t>(number)));
}

void KV_Com::ApplyLanguageTexts() {
  // Each control with the number of its text, in the order fonts and texts are set.
  const std::pair<QWidget*, int> controls[] = {
      {Read_All_Data, 47}, {CF_DataFile, 0}, {SheetPrint, 33}, {Preview, 34},    {Export, 35},
      {Language, 36},      {MainClose, 45},  {Comment, 49},    {Label1[0], 1},   {Label1[1], 2},
      {Label1[2], 3},      {Label1[3], 15},  {Label1[4], 16},  {Frame1, 6},      {Frame2, 10},
      {Frame3, 48},        {Frame4, 4},      {Frame5, 5},      {Frame6, 37},     {Frame7, 41},
      {Frame8, 32},        {Frame9, 50},     {Option1[0], 7},  {Option1[1], 8},  {Option2[0], 38},
      {Option2[1], 39},    {Option2[2], 40}, {Option3[0], 10}, {Option3[1], 11}, {Option4[0], 51},
      {Option4[1], 52},    {Check1[0], 42},  {Check1[1], 43},  {Text2, 44},
  };
  const std::string country = GetCountryName();
  for (auto [control, number] : controls) {
    QFont font = control->font();
    ApplyCountryFont(font, country);
    control->setFont(font);
  }
  // Without loaded texts (offline with a damaged workbook) the designed captions stay.
  if (application_->session().texts[0].empty()) return;
  for (auto [control, number] : controls) {
    QString text = LanguageText(number);
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
      button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
      label->setText(text);
    } else if (auto* frame = qobject_cast<QGroupBox*>(control)) {
      frame->setTitle(text);
    } else if (auto* box = qobject_cast<QLineEdit*>(control)) {
      box->setText(text);
    }
  }
  NameForAccessibility();
}

QString KV_Com::ControllerText(const std::string& bytes) const {
  const char* codePage = CodePageOfLanguage(application_->session().settings.LanguageIndex);
  return QString::fromStdString(CodePageToUtf8(bytes, codePage));
}

void KV_Com::ClearResultDisplays() {
  Output2->clear();
  for (QLineEdit* box : Text5) box->clear();
}

void KV_Com::ShowParameters(const std::string& text) {
  QString shown = ControllerText(text);
  shown.replace("\r\n", "\n");
  Output2->setPlainText(shown);
}

void KV_Com::ShowConditions(const std::array<std::string, 5>& texts) {
  for (std::size_t i = 0; i < texts.size(); ++i) Text5[i]->setText(ControllerText(texts[i]));
  const std::string country = GetCountryName();
  for (QLabel* label : {Label1[3], Label1[4]}) {
    QFont font = label->font();
    ApplyCountryFont(font, country);
    label->setFont(font);
  }
}

void KV_Com::ShowConditionCaption(int label, int number) {
  Label1.at(static_cast<std::size_t>(label))->setText(LanguageText(number));
}

void KV_Com::ShowProgress(int maximum) {
  ProgressBar1->setRange(0, maximum);
  ProgressBar1->setValue(0);
  ProgressBar1->show();
}

void KV_Com::SetProgress(int value) {
  ProgressBar1->setValue(value);
}

void KV_Com::HideProgress() {
  ProgressBar1->hide();
}

}  // namespace kv
