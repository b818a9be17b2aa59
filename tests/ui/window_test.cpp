// SPDX-License-Identifier: GPL-3.0-or-later
// The main window (offscreen) over the application, the simulator on its
// socket and real files in a temporary drive.
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTimer>

#include "ui/country_font.h"
#include "ui/window_fixture.h"

namespace kv {
namespace {

using kvtest::ReadBytes;
using kvtest::WriteBytes;
using WindowTest = WindowFixture;

TEST_F(WindowTest, StartUpShowsVersionChoicesAndWhatTheFirmwareAllows) {
  WriteBytes(Work("Autoprint.INI"), "0\r\n1\r\n2\r\n1\r\n1\r\n0\r\n");
  ASSERT_EQ(Start({.version = "Ver 1.102"}), StartupOutcome::kConnected);
  EXPECT_EQ(window->Label4->text(), "Ver 1.102");
  EXPECT_TRUE(window->Option1[1]->isChecked());
  EXPECT_TRUE(window->Option2[1]->isChecked());  // print-key output needs 1103
  EXPECT_FALSE(window->Option2[2]->isVisibleTo(window.get()));
  EXPECT_TRUE(window->Check1[0]->isChecked());
  EXPECT_FALSE(window->Check1[1]->isVisibleTo(window.get()));
  EXPECT_TRUE(window->Option4[1]->isChecked());
  EXPECT_EQ(window->SheetPrint->text(), "Print");

  window->Check1[0]->click();  // the operator's click is saved at once
  window->Option4[0]->click();
  EXPECT_EQ(ReadBytes(Work("Autoprint.INI")), "0\r\n1\r\n1\r\n0\r\n0\r\n0\r\n");
}

TEST_F(WindowTest, OfflineWindowWithdrawsTheControllerFunctionsInTheCountrysFont) {
  WriteBytes(Work("Version.INI"), "Ver 1.102\r\n2\r\n");  // German, from an earlier run
  WriteBytes(Work("Autoprint.INI"), "1\r\n1\r\n0\r\n1\r\n1\r\n0\r\n");
  ::setenv("LANG", "ja_JP.UTF-8", 1);
  const StartupOutcome outcome = StartOffline();
  ::unsetenv("LANG");
  ASSERT_EQ(outcome, StartupOutcome::kOffline);
  EXPECT_EQ(messages, "KV: " + Text(46) + "\n");
  EXPECT_FALSE(window->Read_All_Data->isVisibleTo(window.get()));
  EXPECT_FALSE(window->Frame2->isEnabled());
  EXPECT_FALSE(window->Option2[2]->isEnabled());  // the choices offline: tests/app
  EXPECT_EQ(window->SheetPrint->text(), "Drucken");
  EXPECT_EQ(window->SheetPrint->font().pointSize(), 9);  // the country's font: Japan
}

TEST_F(WindowTest, ReadRunsOffTheWindowsThreadAndRefusesASecondAction) {
  ASSERT_EQ(Start(), StartupOutcome::kConnected);
  Status second = Status::Ok();
  bool disabledDuringTheRead = false;
  // A click that arrives while the read runs.
  QTimer::singleShot(0, window.get(), [&] {
    disabledDuringTheRead = !window->Frame8->isEnabled();
    second = window->Export_Click();
  });
  ASSERT_TRUE(window->Read_All_Data_Click().ok());
  EXPECT_EQ(second.code(), StatusCode::kBusy);
  EXPECT_TRUE(disabledDuringTheRead);
  EXPECT_TRUE(window->Frame8->isEnabled());
  EXPECT_FALSE(window->Output2->toPlainText().isEmpty());
  EXPECT_FALSE(window->Text5[0]->text().isEmpty());
  EXPECT_FALSE(window->ProgressBar1->isVisibleTo(window.get()));
  // Afterwards the certificate can be made from the read.
  EXPECT_TRUE(window->Export_Click().ok());
}

TEST_F(WindowTest, AFailedReadIsShownInWordsAndEmptiesTheDisplays) {
  ASSERT_EQ(Start({.evaluationTotal = 0}), StartupOutcome::kConnected);
  EXPECT_EQ(Shown([&] { return window->Read_All_Data_Click(); }).code(), StatusCode::kNoData);
  EXPECT_EQ(messages, "KV: " + Text(20) + "\n");
  EXPECT_TRUE(window->Output2->toPlainText().isEmpty());
  EXPECT_FALSE(std::filesystem::exists(Work("Parameter.csv")));
}

TEST_F(WindowTest, ClosingDuringAReadEndsItBetweenTransactions) {
  ASSERT_EQ(Start({.points = 50001}), StartupOutcome::kConnected);
  QTimer::singleShot(20, window.get(), [&] { window->close(); });
  const Status read = window->Read_All_Data_Click();
  EXPECT_EQ(read.code(), StatusCode::kCancelled);
  QCoreApplication::processEvents();
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(std::filesystem::exists(Work("Evaluation.csv")));
}

TEST_F(WindowTest, APreviewWithoutItsTemplateIsReportedAndTheWindowComesBack) {
  ASSERT_EQ(Start(), StartupOutcome::kConnected);
  std::filesystem::remove(Work("KV_Certificate.xls"));
  EXPECT_FALSE(Shown([&] { return window->Preview_Click(); }).ok());
  EXPECT_NE(messages.find("KV_Certificate.xls"), std::string::npos);
  EXPECT_TRUE(window->isEnabled());
  EXPECT_FALSE(window->isMinimized());
}

// Ticks are called directly: the blink runs six ticks on and two off, and a
// press of the simulator's key reads the whole measurement.
TEST_F(WindowTest, PrintKeyOutputPollsBlinksAndReadsOnAPress) {
  ASSERT_EQ(Start({.printKeyAfter = 3}), StartupOutcome::kConnected);
  window->Option2[2]->click();
  EXPECT_TRUE(window->Timer1->isActive());
  std::string shown;
  for (int tick = 0; tick < 16; ++tick) {
    Shown([&] { window->Timer1_Tick(); });
    shown += window->Text2->isVisibleTo(window.get()) ? '+' : '-';
  }
  EXPECT_EQ(shown, "++++++--++++++--");
  EXPECT_TRUE(std::filesystem::exists(Work("Evaluation.csv")));  // read at the third poll

  window->Option2[1]->click();
  EXPECT_FALSE(window->Timer1->isActive());
  EXPECT_FALSE(window->Text2->isVisibleTo(window.get()));
}

TEST_F(WindowTest, CommentDialogEditsTheEightLinesInTheControllersCodePage) {
  ASSERT_EQ(Start({.language = 0}), StartupOutcome::kConnected);
  QTimer::singleShot(0, window.get(), [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto boxes = dialog->findChildren<QLineEdit*>();
    ASSERT_EQ(boxes.size(), 8);
    EXPECT_EQ(boxes[0]->text(), QString::fromUtf8("ワーク名"));
    boxes[4]->setText(QString::fromUtf8("試料 7"));
    dialog->findChild<QPushButton*>()->click();
  });
  window->Comment->click();  // the untouched lines go back as they were
  EXPECT_EQ(ReadBytes(Work("Comment.INI")).substr(0, 10), "\x83\x8F\x81\x5B\x83\x4E\x96\xBC\r\n");
  EXPECT_NE(ReadBytes(Work("Comment.INI")).find("\x8E\x8E\x97\xBF 7\r\n"), std::string::npos);
}

TEST_F(WindowTest, ServiceRowIsHiddenUntilAskedForAndEveryControlIsNamed) {
  ASSERT_EQ(Start(), StartupOutcome::kConnected);
  EXPECT_FALSE(window->Version->isVisibleTo(window.get()));
  window->ShowServiceButtons(true);
  EXPECT_TRUE(window->C2140->isVisibleTo(window.get()));
  EXPECT_TRUE(window->Version_Click().ok());
  EXPECT_EQ(window->Output2->toPlainText(), "Ver 1.103");

  window->show();
  for (QWidget* control : window->findChildren<QWidget*>()) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    // The designed controls; the parts Qt builds inside them are Qt's.
    const bool designed = qobject_cast<QAbstractButton*>(control) ||
                          qobject_cast<QLineEdit*>(control) || qobject_cast<QTextEdit*>(control) ||
                          qobject_cast<QGroupBox*>(control) || qobject_cast<QProgressBar*>(control);
    if (!designed || !control->isVisibleTo(window.get()) || !accessible) continue;
    EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty())
        << control->metaObject()->className() << " " << control->objectName().toStdString();
  }
}

// The names compare exactly; a face name is the country's, the weight is not.
TEST(CountryFontTest, CountryPicksTheFontRow) {
  const CountryFont japan = CountryFontFor("JAPAN");
  EXPECT_TRUE(japan.Charset == 128 && japan.Name == QString::fromUtf8("ＭＳ Ｐゴシック") &&
              japan.size == 9);
  const CountryFont other = CountryFontFor("japan");
  EXPECT_TRUE(other.Charset == 1 && other.Name.isEmpty() && other.size == 8);
  QFont designed("Arial");
  designed.setBold(true);
  ApplyCountryFont(designed, "");
  EXPECT_EQ(designed.family(), "Arial");
  EXPECT_TRUE(designed.bold());
}

}  // namespace
}  // namespace kv
