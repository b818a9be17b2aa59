// SPDX-License-Identifier: GPL-3.0-or-later
// The data-file button through the real window and pickers, against the
// simulator's CF card on its socket and data files on the drive.
#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "sim/data_file_writer.h"
#include "sim/measurement.h"
#include "ui/cf_controller.h"
#include "ui/cf_personal.h"
#include "ui/window_fixture.h"

namespace kv {
namespace {

using kvtest::ReadBytes;
using kvtest::WriteBytes;

// The parameter texts follow the controller's unit.
std::string DataFile(std::uint64_t seed, bool inch = false) {
  const kvsim::Config config{
      .unit = std::uint8_t(inch), .seed = seed, .points = 401, .cutoffCode = 1};
  return kvsim::DataFileBytes(kvsim::Measure(config), {inch, false});
}

class CfImportTest : public WindowFixture {
 protected:
  void Connect(std::vector<kvsim::CardFile> card) {
    ASSERT_EQ(Start({.cardFiles = std::move(card)}), StartupOutcome::kConnected);
    if (!window->Check1[0]->isChecked()) window->Check1[0]->click();  // to see it switched off
  }

  // Clicks CF_DataFile; `pick` acts in the picker once it shows.
  Status Click(std::function<void(QWidget*)> pick) {
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
      if (QWidget* picker = QApplication::activeModalWidget()) {
        watch.stop();
        pick(picker);
      }
    });
    watch.start(5);
    return Shown([&] { return window->CF_DataFile_Click(); });
  }
};

TEST_F(CfImportTest, ControllerFileIsFetchedAndConverted) {
  Connect({{"KV000001.TXT", DataFile(1)}, {"KV000002.TXT", DataFile(2, true)}});
  WriteBytes(Work("Evaluation.csv"), "older\r\n");
  Status imported = Click([](QWidget* picker) {
    auto* controller = dynamic_cast<CF_Controller*>(picker);
    ASSERT_NE(controller, nullptr);
    ASSERT_EQ(controller->List1->count(), 2);
    controller->List1->setCurrentRow(1);
    controller->Listslect->click();
  });
  ASSERT_TRUE(imported.ok()) << messages;
  EXPECT_EQ(messages, "");
  EXPECT_NE(ReadBytes(Work("Evaluation.csv")), "older\r\n");
  EXPECT_NE(ReadBytes(Work("Condition.csv")).find("UNT 2"), std::string::npos);  // the inch file
  EXPECT_TRUE(window->Option2[1]->isChecked());
  EXPECT_FALSE(window->Check1[0]->isChecked());
  EXPECT_EQ(sim->controller.OutputMode(), 0);
  EXPECT_EQ(sim->controller.Requests().back()[6], 0x11);  // 0x7011 manual output comes last
}

TEST_F(CfImportTest, NothingOnTheCardOrACancelledPickerChangesNothing) {
  Connect({});
  WriteBytes(Work("Parameter.csv"), "older\r\n");
  EXPECT_FALSE(Click([](QWidget*) { FAIL() << "no picker for an empty card"; }).ok());
  EXPECT_EQ(messages, "KV: " + Text(21) + "\n");

  Connect({{"KV000001.TXT", DataFile(1)}});
  std::size_t frames = 0;
  EXPECT_TRUE(Click([&](QWidget* picker) {
                frames = sim->controller.Requests().size();
                dynamic_cast<CF_Controller*>(picker)->FormClose->click();
              }).ok());
  EXPECT_EQ(sim->controller.Requests().size(), frames);  // no frame after the cancel
  EXPECT_EQ(ReadBytes(Work("Parameter.csv")), "older\r\n");
  EXPECT_TRUE(window->Check1[0]->isChecked());
}

// Offline the PC is the only source. (The picker's folder: cf_pickers_test;
// the conversion: tests/datafile.)
TEST_F(CfImportTest, PcFileIsImportedInTheChosenSet) {
  WriteBytes(Work("Version.INI"), "Ver 1.103\r\n1\r\n");
  WriteBytes(drive.path() / "data" / "M1.TXT", DataFile(3));
  WriteBytes(Work("Folder.INI"), "C:\\data\r\n");
  ASSERT_EQ(StartOffline(), StartupOutcome::kOffline);
  EXPECT_TRUE(Click([&](QWidget* picker) {
                auto* pc = dynamic_cast<CF_Personal*>(picker);
                ASSERT_NE(pc, nullptr);
                auto found = pc->filLIST->findItems("M1.TXT", Qt::MatchExactly);
                ASSERT_EQ(found.size(), 1);
                pc->filLIST_Click(pc->filLIST->row(found[0]));
                pc->Option1[1]->setChecked(true);
                pc->Listslect->click();
              }).ok());
  EXPECT_EQ(messages, "");
  EXPECT_EQ(ReadBytes(Work("Parameter.csv")).substr(0, 2), "Wa");  // set B
  EXPECT_TRUE(window->Option2[1]->isChecked());
}

}  // namespace
}  // namespace kv
