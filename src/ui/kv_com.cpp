// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/kv_com.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

#include "app/startup.h"
#include "certificate/certificate_actions.h"
#include "datafile/controller_files.h"
#include "link/frame_builders.h"
#include "platform/code_page.h"
#include "platform/locale/country_name.h"
#include "platform/qt/message_box.h"
#include "ui/cf_controller.h"
#include "ui/cf_personal.h"
#include "ui/country_font.h"

namespace kv {
namespace {

// A settings entry as an option index; one that is not a whole number in
// range keeps the designed selection.
int EntryIndex(const std::string& entry, int count) {
  if (entry.empty() || entry.find_first_not_of("0123456789") != std::string::npos) return -1;
  int index = std::stoi(entry.substr(0, 4));
  return index < count ? index : -1;
}

template <std::size_t N>
void Select(const std::array<QRadioButton*, N>& group, int index) {
  if (index >= 0) group[static_cast<std::size_t>(index)]->setChecked(true);
}

}  // namespace

KV_Com::KV_Com(Session& session) : session_(session) {
  BuildControls();
  ConnectHandlers();
}

KV_Com::~KV_Com() = default;

void KV_Com::ConnectHandlers() {
  for (QRadioButton* option : Option1)
    connect(option, &QRadioButton::clicked, this, &KV_Com::Option1_Click);
  for (int i = 0; i < 3; ++i) {
    connect(Option2[i], &QRadioButton::clicked, this, [this, i] { Option2_Click(i); });
  }
  for (int i = 0; i < 2; ++i) {
    connect(Option4[i], &QRadioButton::clicked, this, [this, i] { Option4_Click(i); });
  }
  for (QCheckBox* box : Check1) connect(box, &QCheckBox::clicked, this, &KV_Com::Check1_Click);
  connect(MainClose, &QPushButton::clicked, this, &QWidget::close);
  connect(Read_All_Data, &QPushButton::clicked, this, &KV_Com::Read_All_Data_Click);
  connect(SheetPrint, &QPushButton::clicked, this, &KV_Com::SheetPrint_Click);
  connect(Preview, &QPushButton::clicked, this, &KV_Com::Preview_Click);
  connect(Export, &QPushButton::clicked, this, &KV_Com::Export_Click);
  connect(Language, &QPushButton::clicked, this, &KV_Com::Language_Click);
  connect(CF_DataFile, &QPushButton::clicked, this, &KV_Com::CF_DataFile_Click);
}

void KV_Com::SelectEvaluationSetA() {
  Option1[0]->setChecked(true);
}

void KV_Com::ShowControllerVersion(const std::string& version) {
  // The version text keeps the controller's NUL padding; the label shows the characters.
  QString caption = QString::fromLatin1(version.data(), static_cast<qsizetype>(version.size()));
  caption.remove(QChar(u'\0'));
  Label4->setText(caption);
}

void KV_Com::ApplySettings() {
  session_.AutoPrintSettings = session_.settingsFiles.ReadAutoprint();
  const AutoPrintEntries& entries = session_.AutoPrintSettings;
  if (int index = EntryIndex(entries[1], 2); index >= 0) {
    Select(Option1, index);
    Option1_Click();
  }
  if (int index = EntryIndex(entries[2], 3); index >= 0) {
    Select(Option2, index);
    Option2_Click(index);
  }
  if (int index = EntryIndex(entries[4], 2); index >= 0) {
    Select(Option4, index);
    Option4_Click(index);
  }
  switch (EntryIndex(entries[3], 3)) {
    case 0:
      Check1[0]->setChecked(false);
      Check1[1]->setChecked(false);
      break;
    case 1:
      Check1[0]->setChecked(true);
      Check1[1]->setChecked(false);
      break;
    case 2:
      Check1[0]->setChecked(false);
      Check1[1]->setChecked(true);
      break;
    default:
      break;
  }
  Check1_Click();
}

Status KV_Com::ReadAll() {
  return kv::ReadAll(session_, *this);
}

void KV_Com::ClearResultDisplays() {
  Output2->clear();
  for (QLineEdit* box : Text5) box->clear();
}

void KV_Com::LetEventsRun() {
  QCoreApplication::processEvents();
}

bool KV_Com::EvaluationSetASelected() const {
  return Option1[0]->isChecked();
}

void KV_Com::ShowLanguageMessage(int number, bool critical) {
  ShowMessage(this, QString::fromStdString(LangText.at(static_cast<std::size_t>(number))),
              critical ? MessageIcon::Critical : MessageIcon::None);
}

void KV_Com::ShowError(const Status& status) {
  if (!status.ok())
    ShowMessage(this, QString::fromStdString(status.description()), MessageIcon::None);
}

template <typename Action>
Status KV_Com::Exclusively(Action action) {
  if (busy_) return Status::Error("Another action is still running.");
  busy_ = true;
  Status status = action();
  busy_ = false;
  return status;
}

Status KV_Com::Read_All_Data_Click() {
  return Exclusively([this] {
    Status read = ReadAll();
    ShowError(read);
    return read;
  });
}

Status KV_Com::RunCertificate(std::span<const std::string_view> macros) {
  return RunCertificateMacros(session_.ExcelApp.get(), session_.CertificateBook,
                              TemplatePath(session_.settings.WorkFolder, Option4[0]->isChecked()),
                              macros);
}

Status KV_Com::SheetPrint_Click() {
  return Exclusively([this] {
    if (!Option2[1]->isChecked()) {
      Status read = ReadAll();
      if (!read.ok()) {
        ShowError(read);
        return read;
      }
    }
    // The read reported its own failure; a certificate of its files would mix old and new.
    if (session_.ReadFailed == 1) return Status::Error("The last read failed.");
    Status printed = RunCertificate(kPrintMacros);
    ShowError(printed);
    return printed;
  });
}

Status KV_Com::Preview_Click() {
  return Exclusively([this] {
    setEnabled(false);
    showMinimized();
    Status shown = RunCertificate(kPreviewMacros);
    showNormal();
    setEnabled(true);
    ShowError(shown);
    return shown;
  });
}

Status KV_Com::Export_Click() {
  return Exclusively([this] {
    Status exported = RunCertificate(kExportMacros);
    ShowError(exported);
    return exported;
  });
}

Status KV_Com::Language_Click() {
  return Exclusively([this] {
    Status switched = RunCertificate(kLanguageMacros);
    ShowError(switched);
    return switched;
  });
}

void KV_Com::WithdrawPrintKeyOutput() {
  if (Option2[2]->isChecked()) {
    Option2[1]->setChecked(true);
    Option2_Click(1);
  }
  Option2[2]->hide();
}

Status KV_Com::LoadAndApplyLanguageTexts() {
  Status loaded = LoadLanguageTexts(session_.createSpreadsheet, session_.settings.AppFolder,
                                    session_.settings.LanguageIndex, LangText);
  if (loaded.ok()) ApplyLanguageTexts();
  return loaded;
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
  for (auto [control, number] : controls) {
    QString text = QString::fromStdString(LangText[static_cast<std::size_t>(number)]);
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
}

void KV_Com::WithdrawControllerFunctions() {
  Frame1->setEnabled(false);
  Frame2->setEnabled(false);
  Option1[0]->setEnabled(false);
  Option1[1]->setEnabled(false);
  Option2[0]->setEnabled(false);
  Option2[1]->setChecked(true);
  Option2_Click(1);
  Option2[2]->setEnabled(false);
  Option3[0]->setEnabled(false);
  Option3[1]->setChecked(true);
  Check1[0]->setChecked(false);
  Check1[0]->setEnabled(false);
  Read_All_Data->hide();
}

void KV_Com::ShowCriticalMessage(const std::string& text) {
  ShowMessage(this, QString::fromStdString(text), MessageIcon::Critical);
}

void KV_Com::ShowCriticalLanguageMessage(int number) {
  ShowMessage(this, QString::fromStdString(LangText.at(static_cast<std::size_t>(number))),
              MessageIcon::Critical);
}

ReaderContext KV_Com::Readers() {
  return {session_.link, session_.settings, session_.files, *this, session_.BlockCount};
}

QString KV_Com::ControllerText(const std::string& bytes) const {
  const char* codePage = CodePageOfLanguage(session_.settings.LanguageIndex);
  return QString::fromStdString(CodePageToUtf8(bytes, codePage));
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
  Label1.at(static_cast<std::size_t>(label))
      ->setText(QString::fromStdString(LangText.at(static_cast<std::size_t>(number))));
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

Status KV_Com::CF_DataFile_Click() {
  return Exclusively([this] {
    Status imported = Option3[0]->isChecked() ? ImportFromController() : ImportFromPc();
    // A cancelled picker changes nothing and sends nothing more.
    if (pickerOutcome_.FileChosen == 1) SwitchToManualOutput();
    return imported;
  });
}

Status KV_Com::ImportFromController() {
  pickerOutcome_.FileChosen = 0;
  ClearResultDisplays();
  LetEventsRun();
  ControllerFileList listed = ListControllerFiles(session_.link);
  if (listed.entries.empty()) {  // none reported, or none that can be fetched
    ShowLanguageMessage(21, true);
    return Status::Error("The controller reports no data files.");
  }
  if (!controllerPicker_) {
    controllerPicker_ =
        std::make_unique<CF_Controller>(this, session_.settings, LangText, pickerOutcome_);
  }
  controllerPicker_->SetEntries(listed.entries);
  controllerPicker_->exec();
  if (pickerOutcome_.FileChosen != 1) return Status::Ok();
  ClearResultDisplays();
  LetEventsRun();
  ImportOutcome outcome = Import([this](ConversionContext& context) {
    return ImportControllerFile(session_.link, context, session_.files,
                                session_.settings.WorkFolder, pickerOutcome_.SelectedFileEntry);
  });
  ShowImportOutcome(outcome);
  return outcome.ok() ? Status::Ok() : Status::Error("The data file was not imported.");
}

Status KV_Com::ImportFromPc() {
  pickerOutcome_.FileChosen = 0;
  if (!pcPicker_) {
    pcPicker_ = std::make_unique<CF_Personal>(
        this, session_.settings, LangText, pickerOutcome_, session_.files,
        [this](const std::string& windowsPath) { return ImportPcDataFile(windowsPath); });
  }
  pcPicker_->exec();
  return Status::Ok();
}

ImportOutcome KV_Com::ImportPcDataFile(const std::string& windowsPath) {
  return Import([&](ConversionContext& context) {
    return ImportPcFile(session_.files, context, session_.settings.WorkFolder, windowsPath);
  });
}

ImportOutcome KV_Com::Import(const std::function<ImportOutcome(ConversionContext&)>& import) {
  ImportStage stage;
  ConversionContext context{session_.settings, *this, stage};
  const std::int16_t unit = session_.settings.UnitSetting;
  ImportOutcome outcome = import(context);
  if (!outcome.ok()) {
    // The files were left as they were: so are the unit and, emptied, the displays.
    session_.settings.UnitSetting = unit;
    ClearResultDisplays();
  }
  return outcome;
}

void KV_Com::ShowImportOutcome(const ImportOutcome& outcome) {
  if (outcome.message != 0) ShowLanguageMessage(outcome.message, true);
  if (outcome.message == 0 && !outcome.status.ok()) {
    ShowMessage(this, QString::fromStdString(outcome.status.description()), MessageIcon::Critical);
  }
}

// A stored measurement is printed by hand, and its graph files hold zeros:
// manual output, and the BAC/ADC display off.
void KV_Com::SwitchToManualOutput() {
  if (!Option2[1]->isChecked()) {
    Option2[1]->setChecked(true);
    Option2_Click(1);
  }
  SetOutputMode(session_.link, 0);
  if (Check1[0]->isChecked()) {
    Check1[0]->setChecked(false);
    Check1_Click();
  }
}

void KV_Com::closeEvent(QCloseEvent* event) {
  if (busy_) {  // a read or certificate action lets events run; it ends first
    event->ignore();
    return;
  }
  if (!shutDown_) Shutdown(session_);
  shutDown_ = true;
  event->accept();
}

void KV_Com::Option1_Click() {
  bool setA = Option1[0]->isChecked();
  session_.settings.EvaluationSelection = setA ? 0 : 1;
  session_.AutoPrintSettings[1] = setA ? "0" : "1";
  WriteAutoprint();
}

void KV_Com::Option2_Click(int index) {
  session_.AutoPrintSettings[2] = std::to_string(index);
  WriteAutoprint();
}

void KV_Com::Check1_Click() {
  if (Check1[0]->isChecked()) {
    Check1[1]->setChecked(false);
    Check1[1]->hide();
    session_.AutoPrintSettings[3] = "1";
  } else {
    Check1[1]->show();
    session_.AutoPrintSettings[3] = "0";
  }
  if (Check1[1]->isVisibleTo(this) && Check1[1]->isChecked()) session_.AutoPrintSettings[3] = "2";
  WriteAutoprint();
}

void KV_Com::Option4_Click(int index) {
  session_.AutoPrintSettings[4] = std::to_string(index);
  WriteAutoprint();
}

void KV_Com::WriteAutoprint() {
  session_.settingsFiles.WriteAutoprint(session_.AutoPrintSettings,
                                        session_.settings.LanguageIndex);
}

}  // namespace kv
