// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "ui/picker_dialog.h"
#include "ui/picker_outcome.h"

class QComboBox;
class QListWidget;

namespace kv {

// Checks, reads and converts the data file at a Windows path into the result
// files; false, after the refusal was shown, when that did not work.
using PcFileImport = std::function<bool(const std::string& windowsPath, EvaluationSet set)>;

// The modal window in which the user picks a "*.TXT" data file on the PC and
// the evaluation set; it has the file imported and closes only when that
// worked. It remembers the folder of the last file clicked in "Folder.INI".
// Settings, texts, outcome and file system must outlive the window.
class CF_Personal : public PickerDialog {
 public:
  CF_Personal(QWidget* parent, const ProcessSettings& settings, const LanguageTable& LangText,
              PickerOutcome& outcome, FileSystem& files, PcFileImport import);

  void Form_Activate() override;
  void devDRIVE_Change();
  // `folder` (Windows path text) becomes the folder shown when it exists;
  // otherwise the lists show their folder afresh. False when it does not exist.
  bool dirFOLDER_Change(const std::string& folder);
  void filLIST_Click(int row);
  void Listslect_Click();
  void FormClose_Click() override;

  // The folder whose files filLIST shows, as Windows path text.
  const std::string& FilePath() const { return folder_; }

  QComboBox* devDRIVE;
  QListWidget *dirFOLDER, *filLIST;
  // The file last clicked in filLIST; kept between openings.
  std::string SelectedFileName;

 private:
  bool RestoreFolder();
  void ShowFolder();

  PickerOutcome& outcome_;
  FileSystem& files_;
  PcFileImport import_;
  std::string folder_ = "C:\\";
  std::vector<std::string> folderTargets_;  // by row of dirFOLDER
  std::vector<std::string> fileNames_;      // by row of filLIST
};

}  // namespace kv
