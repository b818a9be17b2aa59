// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/cf_personal.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

#include "app/settings_files.h"
#include "platform/qt/message_box.h"
#include "ui/folder_listing.h"
#include "ui/twips_layout.h"

namespace kv {
namespace {

constexpr const char* kFolderIni = "Folder.INI";
constexpr std::string_view kFileExtension = ".TXT";  // the file list's pattern "*.TXT"

}  // namespace

CF_Personal::CF_Personal(QWidget* parent, const ProcessSettings& settings,
                         const LanguageTable& LangText, PickerOutcome& outcome, FileSystem& files,
                         PcFileImport import)
    : PickerDialog(parent, settings, LangText, 6300),
      outcome_(outcome),
      files_(files),
      import_(std::move(import)) {
  setObjectName("CF_Personal");
  DesignWindow(this, "Personal Computer", 8760, 4920);
  devDRIVE = PlaceEmpty<QComboBox>(this, 150, 150, 2850, 315);
  devDRIVE->addItems({"C:", "Z:"});
  dirFOLDER = PlaceEmpty<QListWidget>(this, 150, 600, 2850, 4125);
  filLIST = PlaceEmpty<QListWidget>(this, 3150, 150, 3000, 4575);
  connect(devDRIVE, &QComboBox::activated, this, &CF_Personal::devDRIVE_Change);
  connect(dirFOLDER, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    dirFOLDER_Change(folderTargets_.at(static_cast<std::size_t>(dirFOLDER->row(item))));
  });
  connect(filLIST, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { filLIST_Click(filLIST->row(item)); });
  connect(Listslect, &QPushButton::clicked, this, &CF_Personal::Listslect_Click);
  connect(FormClose, &QPushButton::clicked, this, &CF_Personal::FormClose_Click);
  Form_Load();
}

void CF_Personal::Form_Activate() {
  if (!RestoreFolder()) {
    devDRIVE->setCurrentIndex(0);
    devDRIVE_Change();
  }
  if (settings_.VersionNumber != 0 && settings_.VersionNumber < 1101) AllowSetAOnly();
}

// The folder of the last file clicked, from the first line of Folder.INI.
bool CF_Personal::RestoreFolder() {
  auto lines = files_.ReadLines(settings_.WorkFolder + kFolderIni, kSettingsFileBytes);
  if (!lines.ok() || lines.value().empty()) return false;
  const std::string folder = FolderText(lines.value().front());
  return !folder.empty() && dirFOLDER_Change(folder);
}

void CF_Personal::devDRIVE_Change() {
  if (dirFOLDER_Change(FolderText(devDRIVE->currentText().toStdString()))) return;
  devDRIVE->setCurrentIndex(0);
  dirFOLDER_Change("C:\\");
}

bool CF_Personal::dirFOLDER_Change(const std::string& folder) {
  const bool exists = files_.FolderExists(folder);
  if (exists) folder_ = folder;
  ShowFolder();
  return exists;
}

// The folder list holds the folder itself, its parent ("..") and its
// folders; the file list its data files.
void CF_Personal::ShowFolder() {
  const FolderListing listing = ListFolder(files_.drives(), folder_, kFileExtension);
  devDRIVE->setCurrentIndex(folder_.starts_with('Z') ? 1 : 0);
  folderTargets_ = {folder_};
  dirFOLDER->clear();
  dirFOLDER->addItem(QString::fromStdString(folder_));
  if (ParentFolder(folder_) != folder_) {
    folderTargets_.push_back(ParentFolder(folder_));
    dirFOLDER->addItem("..");
  }
  for (const std::string& name : listing.folders) {
    folderTargets_.push_back(ChildPath(folder_, name));
    dirFOLDER->addItem("    " + QString::fromStdString(name));
  }
  fileNames_ = listing.files;
  filLIST->clear();
  for (const std::string& name : fileNames_) filLIST->addItem(QString::fromStdString(name));
}

void CF_Personal::filLIST_Click(int row) {
  SelectedFileName = fileNames_.at(static_cast<std::size_t>(row));
  Status written = files_.WriteLines(settings_.WorkFolder + kFolderIni, {folder_});
  if (!written.ok())
    ShowMessage(this, QString::fromStdString(written.description()), MessageIcon::Critical);
}

void CF_Personal::Listslect_Click() {
  if (SelectedFileName.empty()) {
    ShowLanguageMessage(27);
    return;
  }
  if (!import_(ChildPath(folder_, SelectedFileName), ChosenSet())) return;
  outcome_.FileChosen = 1;
  hide();
}

void CF_Personal::FormClose_Click() {
  outcome_.FileChosen = 0;
  hide();
}

}  // namespace kv
