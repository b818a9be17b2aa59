// SPDX-License-Identifier: GPL-3.0-or-later
// The two file pickers as real dialogs (offscreen), shown modally as the
// import flow shows them, on real folders of a temporary drive.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "ui/cf_controller.h"
#include "ui/cf_personal.h"
#include "ui/window_fixture.h"

namespace kv {
namespace {

using kvtest::ReadBytes;
using kvtest::WriteBytes;

// The pickers on the window's drive, with "text N" as language text N.
class PickerTest : public WindowFixture {
 protected:
  PickerTest() {
    for (std::size_t n = 0; n < kLoadedTexts; ++n) LangText[n] = "text " + std::to_string(n);
    settings.VersionNumber = 1103;
    std::filesystem::create_directories(Work(""));
  }

  // Shows `dialog` modally, runs `act` inside its event loop and closes it
  // with FormClose if `act` left it open; returns the messages shown.
  std::string Exec(PickerDialog& dialog, const std::function<void()>& act) {
    QTimer::singleShot(0, &dialog, [&] {
      act();
      stayedOpen = dialog.isVisible();
      if (stayedOpen) dialog.FormClose->click();
    });
    Shown([&] { return dialog.exec(); });
    return messages;
  }

  ProcessSettings settings;
  LanguageTable LangText;
  PickerOutcome outcome;
  bool stayedOpen = false;
};

using ControllerPickerTest = PickerTest;

TEST_F(ControllerPickerTest, ListslectTakesTheSelectedEntryAsSent) {
  const std::string japanese = "\x83\x65\x83\x58\x83\x67.TXT  2024";  // テスト.TXT in CP932
  struct Case {
    const char* name;
    int version;
    int row;  // -1: nothing selected
    bool clickSetB;
    std::string message, entry;
    int chosen, selection;
    bool setBEnabled;
  } cases[] = {
      {"nothing selected", 1103, -1, false, "KV: text 27\n", "", 0, 0, true},
      {"set B", 1103, 1, true, "", japanese, 1, 1, true},
      {"old firmware", 1100, 0, true, "", "A.TXT  1", 1, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    settings.VersionNumber = c.version;
    settings.EvaluationSelection = 0;
    outcome = {"OLD.TXT  1", 0};
    CF_Controller picker(nullptr, settings, LangText, outcome);
    picker.SetEntries({"A.TXT  1", japanese});
    std::string messages = Exec(picker, [&] {
      picker.Option1[1]->click();  // refused while set B is disabled
      if (!c.clickSetB) picker.Option1[0]->click();
      if (c.row >= 0) picker.List1->setCurrentRow(c.row);
      picker.Listslect->click();
      EXPECT_EQ(outcome.SelectedFileEntry, c.entry);
    });
    EXPECT_EQ(messages, c.message);
    EXPECT_EQ(stayedOpen, c.chosen == 0);
    EXPECT_EQ(outcome.FileChosen, c.chosen);
    EXPECT_EQ(settings.EvaluationSelection, c.selection);
    EXPECT_EQ(picker.Option1[1]->isEnabled(), c.setBEnabled);
    EXPECT_EQ(picker.Option1[1]->text(), c.setBEnabled ? "text 8" : "text 14");
    EXPECT_EQ(picker.List1->item(1)->text(), QString::fromUtf8("テスト.TXT  2024"));
  }
}

TEST_F(ControllerPickerTest, ClosingAfterAnEarlierChoiceLeavesNoFileChosen) {
  CF_Controller picker(nullptr, settings, LangText, outcome);
  EXPECT_EQ(picker.windowTitle(), "Controller");
  EXPECT_EQ(picker.Listslect->text(), "text 13");
  EXPECT_EQ(picker.FormClose->text(), "text 12");
  picker.SetEntries({"A.TXT  1"});
  const std::function<void()> closings[] = {
      [&] { picker.FormClose->click(); }, [&] { picker.close(); },  // the window frame
  };
  for (const auto& close : closings) {
    Exec(picker, [&] {
      picker.List1->setCurrentRow(0);
      picker.Listslect->click();
    });
    ASSERT_EQ(outcome.FileChosen, 1);
    Exec(picker, close);
    EXPECT_FALSE(stayedOpen);
    EXPECT_EQ(outcome.FileChosen, 0);
    EXPECT_EQ(outcome.SelectedFileEntry, "");
  }
}

class PcPickerTest : public PickerTest {
 protected:
  CF_Personal& Picker() {
    auto import = [this](const std::string& path) {
      imported.push_back(path);
      return importOutcome;
    };
    if (!picker)
      picker = std::make_unique<CF_Personal>(nullptr, settings, LangText, outcome, files, import);
    return *picker;
  }

  QStringList Entries(QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row) texts << list->item(row)->text().trimmed();
    return texts;
  }

  // Double-clicks the folder list's entry `name`.
  void Open(const QString& name) {
    const auto row = static_cast<int>(Entries(Picker().dirFOLDER).indexOf(name));
    ASSERT_GE(row, 0) << "no folder " << name.toStdString();
    emit Picker().dirFOLDER->itemDoubleClicked(Picker().dirFOLDER->item(row));
  }

  void ClickFile(const QString& name) {
    auto found = Picker().filLIST->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    emit Picker().filLIST->itemClicked(found[0]);
  }

  kvtest::TempFolder host;  // a folder elsewhere on the host, reached through Z:
  std::unique_ptr<CF_Personal> picker;
  std::vector<std::string> imported;
  ImportOutcome importOutcome;
};

TEST_F(PcPickerTest, OpensOnTheFolderOfFolderIniOrElseOnDriveC) {
  // Folder.INI (none: no file) and the folder the picker opens on.
  const std::pair<const char*, std::string> cases[] = {
      {nullptr, "C:\\"},
      {"C\\:\r\n", "C:\\"},  // the default content
      {"C:\\Tarnwick Corvanet\\KV-730\r\n", "C:\\Tarnwick Corvanet\\KV-730"},
      {"c:\\TARNWICK CORVANET\\\r\nC:\\Gone\r\n", "C:\\TARNWICK CORVANET"},
      {"C:\\Gone\r\n", "C:\\"},  // a folder that vanished
      {"D:\\Tarnwick Corvanet\r\n", "C:\\"},
      {"\r\n", "C:\\"},
  };
  for (const auto& [folderIni, folder] : cases) {
    SCOPED_TRACE(folder);
    std::filesystem::remove(Work("Folder.INI"));
    if (folderIni) WriteBytes(Work("Folder.INI"), folderIni);
    Picker().show();
    EXPECT_EQ(Picker().FilePath(), folder);
    EXPECT_EQ(Picker().devDRIVE->currentText(), "C:");
    Picker().hide();
  }
}

TEST_F(PcPickerTest, ListsFoldersAndTxtFilesAndFileClickRewritesFolderIni) {
  const std::filesystem::path work = Work("");
  for (const char* name : {"b.txt", "A.TXT", "c.csv", "D.TxT", ".hidden.TXT", "TXT"})
    WriteBytes(work / name, "x");
  for (const char* name : {"Zeta", "alpha", "E.TXT", ".cache"})
    std::filesystem::create_directory(work / name);
  WriteBytes(Work("Folder.INI"), "C:\\Tarnwick Corvanet\\KV-730\r\n");
  Picker().show();
  EXPECT_EQ(Picker().windowTitle(), "Personal Computer");
  EXPECT_EQ(Entries(Picker().filLIST), QStringList({"A.TXT", "b.txt", "D.TxT"}));
  EXPECT_EQ(Entries(Picker().dirFOLDER),
            QStringList({"C:\\Tarnwick Corvanet\\KV-730", "..", "alpha", "E.TXT", "Zeta"}));

  ClickFile("b.txt");
  EXPECT_EQ(Picker().SelectedFileName, "b.txt");
  EXPECT_EQ(ReadBytes(Work("Folder.INI")), "C:\\Tarnwick Corvanet\\KV-730\r\n");

  // Up to the drive's own folder: clicking there names it as "C:\".
  // A Folder.INI that cannot be written is reported; the click still counts.
  std::filesystem::remove(Work("Folder.INI"));
  std::filesystem::create_directory(Work("Folder.INI"));
  testing::internal::CaptureStderr();
  ClickFile("D.TxT");
  EXPECT_THAT(testing::internal::GetCapturedStderr(), testing::StartsWith("KV: Cannot write"));
  EXPECT_EQ(Picker().SelectedFileName, "D.TxT");
  std::filesystem::remove(Work("Folder.INI"));

  Open("..");
  Open("..");
  EXPECT_EQ(Picker().FilePath(), "C:\\");
  EXPECT_FALSE(Entries(Picker().dirFOLDER).contains(".."));
  WriteBytes(drive.path() / "ROOT.TXT", "x");
  Open("C:\\");  // the folder itself: shown afresh
  ClickFile("ROOT.TXT");
  EXPECT_EQ(ReadBytes(Work("Folder.INI")), "C:\\\r\n");

  // A folder that vanished after it was listed keeps the lists on their folder.
  Open("Tarnwick Corvanet");
  std::filesystem::remove_all(drive.path() / "Tarnwick Corvanet" / "KV-730");
  Open("KV-730");
  EXPECT_EQ(Picker().FilePath(), "C:\\Tarnwick Corvanet");
  EXPECT_EQ(Entries(Picker().dirFOLDER), QStringList({"C:\\Tarnwick Corvanet", ".."}));
}

// Folder.INI then brings the picker back to the host folder, on drive Z:.
TEST_F(PcPickerTest, DriveZBrowsesTheHostFolders) {
  std::filesystem::create_directories(host.path() / "data");
  WriteBytes(host.path() / "data" / "M1.TXT", "// Ver.1\r\n");
  Picker().show();
  Picker().devDRIVE->setCurrentIndex(1);
  emit Picker().devDRIVE->activated(1);
  EXPECT_EQ(Picker().FilePath(), "Z:\\");
  for (const auto& part : host.path().relative_path() / "data")
    Open(QString::fromStdString(part.string()));
  const std::string hostData = files.drives().WindowsPath(host.path() / "data");
  ASSERT_EQ(Picker().FilePath(), hostData);
  ClickFile("M1.TXT");
  EXPECT_EQ(ReadBytes(Work("Folder.INI")), hostData + "\r\n");
  Picker().Listslect->click();
  EXPECT_EQ(imported, std::vector<std::string>{hostData + "\\M1.TXT"});
  EXPECT_FALSE(Picker().isVisible());
  Picker().show();
  EXPECT_EQ(Picker().FilePath(), hostData);
  EXPECT_EQ(Picker().devDRIVE->currentText(), "Z:");
}

TEST_F(PcPickerTest, ListslectHasTheFileImportedAndClosesOnlyWhenThatWorked) {
  WriteBytes(Work("M1.TXT"), "x");
  WriteBytes(Work("Folder.INI"), "C:\\Tarnwick Corvanet\\KV-730\r\n");
  struct Case {
    const char* name;
    bool clickFile;
    ImportOutcome result;
    std::string message;
    int chosen;
  } cases[] = {
      {"no file clicked", false, {}, "KV: text 27\n", 0},
      {"refused", true, {20, Status::Ok()}, "KV: text 20\n", 0},
      {"not written", true, {0, Status::Error("No room.")}, "KV: No room.\n", 0},
      {"imported", true, {}, "", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    imported.clear();
    importOutcome = c.result;
    std::string messages = Exec(Picker(), [&] {
      if (c.clickFile) ClickFile("M1.TXT");
      Picker().Option1[1]->setChecked(true);
      Picker().Listslect->click();
    });
    EXPECT_EQ(messages, c.message);
    EXPECT_EQ(stayedOpen, c.chosen == 0);
    EXPECT_EQ(outcome.FileChosen, c.chosen);
    EXPECT_EQ(imported.size(), c.clickFile ? 1u : 0u);
    if (c.clickFile) {
      EXPECT_EQ(imported[0], "C:\\Tarnwick Corvanet\\KV-730\\M1.TXT");
    }
    EXPECT_EQ(settings.EvaluationSelection, c.clickFile ? 1 : 0);
  }
  // The file stays chosen after FormClose and is converted again without a click.
  Exec(Picker(), [&] { Picker().FormClose->click(); });
  EXPECT_EQ(outcome.FileChosen, 0);
  Exec(Picker(), [&] { Picker().Listslect->click(); });
  EXPECT_EQ(outcome.FileChosen, 1);
  EXPECT_EQ(imported.back(), "C:\\Tarnwick Corvanet\\KV-730\\M1.TXT");
}

TEST_F(PcPickerTest, SetBIsWithdrawnOnlyForKnownOldFirmware) {
  for (int version : {0, 1100, 1101}) {
    SCOPED_TRACE(version);
    settings.VersionNumber = version;
    picker.reset();
    Picker().Option1[1]->setChecked(true);
    Picker().show();
    const bool old = version == 1100;
    EXPECT_EQ(Picker().Option1[1]->isEnabled(), !old);
    EXPECT_EQ(Picker().Option1[0]->isChecked(), old);
    EXPECT_EQ(Picker().Option1[1]->text(), old ? "text 14" : "text 8");
  }
}

}  // namespace
}  // namespace kv
