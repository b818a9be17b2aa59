// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/comment_dialog.h"

#include <QLineEdit>
#include <QPushButton>

#include "app/settings_files.h"
#include "platform/code_page.h"
#include "platform/locale/country_name.h"
#include "platform/qt/message_box.h"
#include "ui/country_font.h"
#include "ui/twips_layout.h"

namespace kv {
namespace {

constexpr const char* kDesignTexts[] = {"ワーク名", "測定機器",        "測定者",   "コメント",
                                        "サンプル", "Corvanet KV-730", "Tarnwick", "Ver1.00"};

}  // namespace

CommentDialog::CommentDialog(QWidget* parent, Application& application)
    : QDialog(parent), application_(application) {
  DesignWindow(this, "Comment", 7590, 3660);
  QFont lucida("Lucida Sans Unicode");
  lucida.setPointSizeF(12);
  for (std::size_t n = 0; n < Text1.size(); ++n) {
    const int left = n < 4 ? 300 : 3375;
    const int width = n < 4 ? 2865 : 3990;
    Text1[n] = PlaceEmpty<QLineEdit>(this, left, 405 + 540 * static_cast<int>(n % 4), width, 360);
    Text1[n]->setText(QString::fromUtf8(kDesignTexts[n]));
    Text1[n]->setFont(lucida);
    Text1[n]->setMaxLength(static_cast<int>(kCommentLineBytes));
    Text1[n]->setAccessibleName(n < 4 ? QString("Heading %1").arg(n + 1)
                                      : QString("Value %1").arg(n - 3));
  }
  FormClose = Place<QPushButton>(this, "閉じる", 5850, 2700, 1545, 810);
  FormClose->setToolTip("Exit");
  connect(FormClose, &QPushButton::clicked, this, &CommentDialog::FormClose_Click);
}

const char* CommentDialog::CodePage() const {
  return CodePageOfLanguage(application_.session().settings.LanguageIndex);
}

void CommentDialog::showEvent(QShowEvent* event) {
  Form_Activate();
  QDialog::showEvent(event);
}

// Lines the file lacks leave their boxes as they were.
void CommentDialog::Form_Activate() {
  QFont font = FormClose->font();
  ApplyCountryFont(font, GetCountryName());
  FormClose->setFont(font);
  FormClose->setText(QString::fromStdString(application_.session().texts[12]));
  FormClose->setAccessibleName(FormClose->text());
  const std::vector<std::string> lines = application_.CommentLines();
  for (std::size_t n = 0; n < lines.size(); ++n) {
    Text1[n]->setText(QString::fromStdString(CodePageToUtf8(lines[n], CodePage())));
  }
}

// A file that cannot be written is reported and the dialog stays open; the
// old file stays whole.
void CommentDialog::FormClose_Click() {
  std::array<std::string, 8> lines;
  for (std::size_t n = 0; n < lines.size(); ++n) {
    lines[n] = Utf8ToCodePage(Text1[n]->text().toStdString(), CodePage());
  }
  if (Status saved = application_.SaveCommentLines(lines); !saved.ok()) {
    ShowMessage(this, QString::fromStdString(saved.description()), MessageIcon::Critical);
    return;
  }
  hide();
}

}  // namespace kv
