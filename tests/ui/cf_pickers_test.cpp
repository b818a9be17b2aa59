// SPDX-License-Identifier: GPL-3.0-or-later
// The folder logic of the PC picker, and both pickers as real dialogs
// (offscreen), shown modally as the import flow shows them.
#include <gtest/gtest.h>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "temp_folder.h"
#include "ui/cf_controller.h"
#include "ui/cf_personal.h"
#include "ui/folder_listing.h"

namespace kv {
namespace {

using kvtest::ReadBytes;
using kvtest::WriteBytes;

TEST(FolderListingTest, FolderTextsAndListings) {
  const std::pair<const char*, const char*> texts[] = {
      {"c:/A\\B\\", "C:\\A\\B"}, {"C\\:", ""}, {"C:", "C:\\"}, {"z:\\", "Z:\\"}, {"D:\\x", ""}};
  for (auto [text, folder] : texts) EXPECT_EQ(FolderText(text), folder) << text;
  EXPECT_EQ(ParentFolder("C:\\A\\B"), "C:\\A");
  EXPECT_EQ(ParentFolder("C:\\A"), "C:\\");
  EXPECT_EQ(ParentFolder("C:\\"), "C:\\");
  EXPECT_EQ(ChildPath("C:\\", "M1.TXT"), "C:\\M1.TXT");
  EXPECT_EQ(ChildPath("Z:\\data", "M1.TXT"), "Z:\\data\\M1.TXT");

  kvtest::TempFolder drive;
  for (const char* name : {"b.txt", "A.TXT", "c.csv", "D.TxT", ".hidden.TXT", "TXT"}) {
    WriteBytes(drive.path() / "work" / name, "x");
  }
  for (const char* name : {"Zeta", "alpha", "E.TXT", ".cache"}) {
    std::filesystem::create_directory(drive.path() / "work" / name);
  }
  const FolderListing listing = ListFolder(DriveMap(drive.path()), "C:\\work", ".TXT");
  EXPECT_EQ(listing.files, (std::vector<std::string>{"A.TXT", "b.txt", "D.TxT"}));
  EXPECT_EQ(listing.folders, (std::vector<std::string>{"alpha", "E.TXT", "Zeta"}));
  EXPECT_TRUE(ListFolder(DriveMap(drive.path()), "C:\\gone", ".TXT").files.empty());
}

// The pickers on a temporary drive, with "text N" as language text N.
class PickerTest : public ::testing::Test {
 protected:
  PickerTest() {
    ::setenv("KV_BATCH", "1", 1);
    for (std::size_t n = 0; n < kLoadedTexts; ++n) texts[n] = "text " + std::to_string(n);
    settings.VersionNumber = 1103;
    std::filesystem::create_directories(Work(""));
  }
  std::filesystem::path Work(const std::string& name) const {
    return drive.path() / "Tarnwick Corvanet" / "KV-730" / name;
  }

  // Shows `dialog` modally, runs `act` inside its event loop and closes it
  // with FormClose if `act` left it open; returns the messages shown.
  std::string Exec(PickerDialog& dialog, const std::function<void()>& act) {
    QTimer::singleShot(0, &dialog, [&] {
      act();
      stayedOpen = dialog.isVisible();
      if (stayedOpen) dialog.FormClose->click();
    });
    testing::internal::CaptureStderr();
    dialog.exec();
    return testing::internal::GetCapturedStderr();
  }

  kvtest::TempFolder drive;
  FileSystem files{DriveMap(drive.path())};
  ProcessSettings settings;
  LanguageTable texts;
  PickerOutcome outcome;
  bool stayedOpen = false;
};

TEST_F(PickerTest, ControllerPickerTakesTheSelectedEntryAsSent) {
  const std::string japanese = "\x83\x65\x83\x58\x83\x67.TXT  2024";  // テスト.TXT in CP932
  struct Case {
    const char* name;
    int version;
    int row;  // -1: nothing selected
    std::string message, entry;
    int chosen;
    EvaluationSet set;
  } cases[] = {
      {"nothing selected", 1103, -1, "KV: text 27\n", "", 0, EvaluationSet::kB},
      {"set B", 1103, 1, "", japanese, 1, EvaluationSet::kB},
      {"old firmware", 1100, 0, "", "A.TXT  1", 1, EvaluationSet::kA},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    settings.VersionNumber = c.version;
    outcome = {"OLD.TXT  1", 0};
    CF_Controller picker(nullptr, settings, texts, outcome);
    picker.SetEntries({"A.TXT  1", japanese});
    const std::string messages = Exec(picker, [&] {
      picker.Option1[1]->click();  // refused while set B is disabled
      if (c.row >= 0) picker.List1->setCurrentRow(c.row);
      picker.Listslect->click();
    });
    EXPECT_EQ(messages, c.message);
    EXPECT_EQ(outcome.SelectedFileEntry, c.chosen ? c.entry : "");
    EXPECT_EQ(outcome.FileChosen, c.chosen);
    EXPECT_EQ(picker.ChosenSet(), c.set);
    EXPECT_EQ(picker.List1->item(1)->text(), QString::fromUtf8("テスト.TXT  2024"));
  }
}

TEST_F(PickerTest, PcPickerRemembersTheFolderAndClosesOnlyAfterAnImport) {
  WriteBytes(drive.path() / "data" / "M1.TXT", "x");
  WriteBytes(Work("Folder.INI"), "C:\\Gone\r\n");  // a folder that vanished: drive C:
  std::vector<std::string> imported;
  bool accept = false;
  CF_Personal picker(nullptr, settings, texts, outcome, files,
                     [&](const std::string& path, EvaluationSet set) {
                       imported.push_back(path + (set == EvaluationSet::kB ? " B" : " A"));
                       return accept;
                     });
  Exec(picker, [&] {
    EXPECT_EQ(picker.FilePath(), "C:\\");
    picker.dirFOLDER_Change("C:\\data");
    picker.filLIST_Click(0);
    picker.Option1[1]->setChecked(true);
    picker.Listslect->click();  // refused by the import: the picker stays
  });
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(outcome.FileChosen, 0);
  EXPECT_EQ(ReadBytes(Work("Folder.INI")), "C:\\data\r\n");

  accept = true;
  Exec(picker, [&] {
    EXPECT_EQ(picker.FilePath(), "C:\\data");  // from Folder.INI
    picker.Listslect->click();                 // the file stays chosen
  });
  EXPECT_FALSE(stayedOpen);
  EXPECT_EQ(outcome.FileChosen, 1);
  EXPECT_EQ(imported, (std::vector<std::string>{"C:\\data\\M1.TXT B", "C:\\data\\M1.TXT B"}));
}

}  // namespace
}  // namespace kv
