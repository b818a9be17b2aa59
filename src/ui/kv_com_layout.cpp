// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls as designed: positions in twips (1/1440 inch,
// 15 to a pixel at 96 dpi), design-time captions until the language texts
// replace them.
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>
#include <string_view>

#include "ui/kv_com.h"
#include "ui/twips_layout.h"

namespace kv {
namespace {

void PlaceLine(QWidget* parent, int left, int top, int right) {
  auto* line = PlaceEmpty<QFrame>(parent, left, top, right - left, 45);
  line->setFrameShape(QFrame::HLine);
  line->setStyleSheet("color: rgb(255, 128, 0);");
  line->setLineWidth(3);
}

QFont DesignFont(const char* family, double points, bool bold = false) {
  QFont font(family);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

}  // namespace

void KV_Com::BuildControls() {
  setObjectName("KV_Com");
  DesignWindow(this, "Corvanet-KV USB Communication Ver3.000", 13200, 8010);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  const QFont lucida = DesignFont("Lucida Sans Unicode", 9.75);
  const QFont arial = DesignFont("Arial", 9.75);

  Frame2 = Place<QGroupBox>(this, "電装部", 6150, 1050, 2490, 2865);
  Frame3 = Place<QGroupBox>(this, "メモリーカード", 6150, 4125, 2490, 2190);
  Frame4 = Place<QGroupBox>(this, "演算結果", 2700, 1050, 3315, 5265);
  Frame5 = Place<QGroupBox>(this, "評価条件", 150, 1050, 2415, 5265);
  Frame8 = Place<QGroupBox>(this, "検査成績書", 8700, 1050, 4365, 5265);
  MainClose = Place<QPushButton>(this, "終了", 11325, 6675, 1545, 810);
  MainClose->setToolTip("End");
  Text2 = PlaceEmpty<QLineEdit>(this, 1950, 6825, 7965, 315);
  Text2->setText("電装部のプリントキー待ちの状態です。");
  Text2->setFont(DesignFont("Tahoma", 14.25, true));
  Text2->setStyleSheet("color: red;");
  Text2->setReadOnly(true);
  Text2->hide();  // shown only while the print-key output waits
  ProgressBar1 = PlaceEmpty<QProgressBar>(this, 165, 7725, 12915, 255);
  ProgressBar1->setTextVisible(false);
  ProgressBar1->hide();  // shown while a long read runs
  PlaceLine(this, 120, 675, 13050);
  PlaceLine(this, 150, 7650, 13050);
  Label4 = PlaceEmpty<QLabel>(this, 7650, 450, 5415, 165 + 60);
  Label3 = Place<QLabel>(this, "Corvanet KV-730 · Tarnwick", 150, 7425, 3660, 180 + 60);

  Read_All_Data = Place<QPushButton>(Frame2, "測定データ", 450, 1800, 1545, 795);
  Read_All_Data->setToolTip("Measured data");
  Frame1 = Place<QGroupBox>(Frame2, "曲線切替", 150, 375, 2220, 1065);
  Frame1->setToolTip("ﾃﾞｰﾀを読込たい曲線の切替");
  Option1 = {Place<QRadioButton>(Frame1, "AAAAAAAAAA", 150, 300, 2025, 255),
             Place<QRadioButton>(Frame1, "BBBBBBBBBB", 150, 600, 2025, 255)};

  Option3 = {Place<QRadioButton>(Frame3, "電装部", 300, 375, 2115, 390),
             Place<QRadioButton>(Frame3, "パソコン", 300, 750, 2115, 390)};
  Option3[0]->setChecked(true);
  CF_DataFile = Place<QPushButton>(Frame3, "デーファイル", 450, 1200, 1545, 810);
  CF_DataFile->setToolTip("CF Data");

  Output2 = PlaceEmpty<QTextEdit>(Frame4, 150, 300, 2955, 4770);
  Output2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Output2->setAcceptRichText(false);
  Output2->setFont(arial);

  const char* conditionCaptions[] = {"規格", "曲線", "フィルタ", "区間", "カットオフ"};
  for (int i = 0; i < 5; ++i) {
    Label1[i] = Place<QLabel>(Frame5, conditionCaptions[i], 225, 375 + 600 * i, 1890, 225);
    Label1[i]->setFont(lucida);
    Text5[i] = PlaceEmpty<QLineEdit>(Frame5, 225, 600 + 600 * i, 1890, 315);
    Text5[i]->setFont(arial);
  }

  Frame6 = Place<QGroupBox>(Frame8, "印刷設定", 75, 375, 2415, 1365);
  Option2 = {Place<QRadioButton>(Frame6, "自動印刷", 150, 300, 2190, 255),
             Place<QRadioButton>(Frame6, "手動印刷", 150, 600, 2190, 255),
             Place<QRadioButton>(Frame6, "電装部プリントボタン", 150, 900, 2190, 255)};
  Option2[0]->setChecked(true);
  Frame7 = Place<QGroupBox>(Frame8, "グラフレイアウト", 75, 1987, 2415, 1140);
  Check1 = {Place<QCheckBox>(Frame7, "BAC.ADC表示", 150, 300, 2190, 315),
            Place<QCheckBox>(Frame7, "評価曲線拡大表示", 150, 675, 2175, 315)};
  Frame9 = Place<QGroupBox>(Frame8, "用紙", 75, 3375, 2415, 1065);
  Option4 = {Place<QRadioButton>(Frame9, "A4", 150, 300, 2115, 315),
             Place<QRadioButton>(Frame9, "レター", 150, 600, 2115, 315)};
  Option4[0]->setChecked(true);
  SheetPrint = Place<QPushButton>(Frame8, "印刷", 2625, 450, 1545, 795);
  SheetPrint->setToolTip("Print");
  Preview = Place<QPushButton>(Frame8, "印刷プレビュー", 2625, 1330, 1575, 825);
  Preview->setToolTip("Preview");
  Export = Place<QPushButton>(Frame8, "エクスポート", 2625, 2240, 1575, 825);
  Export->setToolTip("Export");
  Language = Place<QPushButton>(Frame8, "言語切替", 2625, 3150, 1575, 825);
  Language->setToolTip("Language");
  Comment = Place<QPushButton>(Frame8, "コメント", 2625, 4125, 1575, 825);
  Comment->setToolTip("Comment");

  for (QPushButton* button :
       {Read_All_Data, CF_DataFile, SheetPrint, Preview, Export, Language, Comment}) {
    button->setFont(lucida);
  }
  for (QGroupBox* frame : {Frame1, Frame2, Frame3, Frame4, Frame5}) frame->setFont(arial);
  for (QRadioButton* option : Option1) option->setFont(arial);
  BuildServiceRow(arial);
  Timer1 = new QTimer(this);
  Timer1->setInterval(500);
  NameForAccessibility();
}

// The service buttons, one row above the frames, hidden unless asked for.
void KV_Com::BuildServiceRow(const QFont& font) {
  struct Button {
    QPushButton*& control;
    const char* name;
    const char* caption;
    const char* tooltip;
    int left;
  } row[] = {
      {Version, "Version", "Ver.", "電装部のVer読込", 3375},
      {Command2, "Command2", "D-Clear", "全ての表示をｸﾘｱ", 4275},
      {C7001, "C7001", "Cond", "", 5175},
      {C2340, "C2340", "M-Data", "", 6075},
      {C2440, "C2440", "SYS", "", 6975},
      {C7004, "C7004", "E-Data", "", 7875},
      {C00, "C00", "Address", "", 8775},
      {C7003, "C7003", "C7003", "Result Read", 9675},
      {C2140, "C2140", "C2140", "Start", 10575},
  };
  for (auto& button : row) {
    button.control = Place<QPushButton>(this, button.caption, button.left, 75, 840,
                                        std::string_view(button.name) == "C7003" ? 255 : 240);
    button.control->setObjectName(button.name);
    button.control->setToolTip(QString::fromUtf8(button.tooltip));
    if (std::string_view(button.name) != "C00") button.control->setFont(font);
    button.control->hide();
    serviceButtons_.push_back(button.control);
  }
}

// Each control is known to screen readers by its caption, or its tooltip.
void KV_Com::NameForAccessibility() {
  for (QWidget* control : findChildren<QWidget*>()) {
    if (auto* button = qobject_cast<QAbstractButton*>(control);
        button && !button->text().isEmpty()) {
      control->setAccessibleName(button->text());
    } else if (auto* frame = qobject_cast<QGroupBox*>(control)) {
      control->setAccessibleName(frame->title());
    } else if (!control->toolTip().isEmpty()) {
      control->setAccessibleName(control->toolTip());
    }
  }
  Output2->setAccessibleName("Calculation results");
  ProgressBar1->setAccessibleName("Progress");
  Label4->setAccessibleName("Controller version");
  for (std::size_t i = 0; i < Text5.size(); ++i) Text5[i]->setAccessibleName(Label1[i]->text());
}

}  // namespace kv
