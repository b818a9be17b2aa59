// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/profile_viewer.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/parameter_verification.h"
#include "platform/qt/message_box.h"
#include "ui/viewer_curves.h"
#include "x3p/profile_loader.h"
#include "x3p/x3p_export.h"

namespace kv {
namespace {

QTableWidgetItem* Cell(const QString& text, bool disagrees) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled);
  if (disagrees) item->setBackground(QColor(255, 200, 200));
  return item;
}

void FillRow(QTableWidget& table, int row, const ParameterComparison& compared) {
  const int decimals = compared.decimals + 1;
  const QString cells[] = {QString::fromStdString(compared.name),
                           QString::fromStdString(compared.unit),
                           QString::fromStdString(compared.controllerText),
                           QString::number(compared.computed, 'f', decimals),
                           QString::number(compared.difference, 'f', decimals),
                           compared.disagrees ? "differs" : "agrees"};
  for (int column = 0; column < 6; ++column) {
    table.setItem(row, column, Cell(cells[column], compared.disagrees));
  }
}

}  // namespace

ProfileViewer::ProfileViewer(const Session& session)
    : session_(session),
      curveChoice_(new QComboBox),
      position_(new QLabel),
      plot_(new ProfilePlot),
      parameters_(new QTableWidget(0, 6)),
      checkNote_(new QLabel) {
  setWindowFlag(Qt::Window);
  setWindowTitle("KV-730 profile viewer");
  auto* exportButton = new QPushButton("Export X3P...");
  auto* top = new QHBoxLayout;
  top->addWidget(curveChoice_);
  top->addWidget(position_, 1);
  top->addWidget(exportButton);
  parameters_->setHorizontalHeaderLabels(
      {"Parameter", "Unit", "Controller", "Computed", "Difference", "Check"});
  parameters_->verticalHeader()->hide();
  parameters_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  parameters_->setMaximumHeight(260);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(plot_, 1);
  layout->addWidget(checkNote_);
  layout->addWidget(parameters_);
  plot_->onPosition = [this](const QString& text) { position_->setText(text); };
  connect(curveChoice_, &QComboBox::currentIndexChanged, this, [this](int i) { ShowCurve(i); });
  connect(exportButton, &QPushButton::clicked, this, [this] { ExportX3pClicked(); });
  resize(960, 720);
  Reload();
}

void ProfileViewer::Reload() {
  curves_ = LoadViewerCurves(session_.files, session_.settings.WorkFolder);
  const QSignalBlocker quiet(curveChoice_);
  curveChoice_->clear();
  for (const PlotCurve& curve : curves_) curveChoice_->addItem(curve.title);
  ShowCurve(curves_.empty() ? -1 : 0);
  ShowParameterCheck();
}

void ProfileViewer::ShowCurve(int index) {
  const bool shown = index >= 0 && index < static_cast<int>(curves_.size());
  plot_->SetCurve(shown ? curves_[static_cast<std::size_t>(index)] : PlotCurve{});
  position_->setText(shown ? QString() : "No measurement has been read.");
}

void ProfileViewer::ShowParameterCheck() {
  auto check = CheckResultFiles(session_.files, session_.settings.WorkFolder);
  parameters_->setRowCount(0);
  if (!check.ok()) {
    checkNote_->setText("Parameter check: " + QString::fromStdString(check.status().description()));
    return;
  }
  const auto& rows = check.value().rows;
  parameters_->setRowCount(static_cast<int>(rows.size()));
  for (std::size_t row = 0; row < rows.size(); ++row) {
    FillRow(*parameters_, static_cast<int>(row), rows[row]);
  }
  checkNote_->setText(check.value().AllAgree()
                          ? "Parameter check: every parameter agrees with the measured profile."
                          : "Parameter check: parameters marked red differ from the measured "
                            "profile beyond display rounding.");
}

Status ProfileViewer::ExportX3pTo(const std::filesystem::path& hostPath) {
  auto profile = LoadExportProfile(session_.files, session_.settings.WorkFolder);
  if (!profile.ok()) return profile.status();
  profile.value().controllerVersion = session_.ControllerVersion;
  return ExportX3p(session_.files, profile.value(), hostPath);
}

void ProfileViewer::ExportX3pClicked() {
  const QString folder = QString::fromStdString(
      session_.files.drives().HostPath(session_.settings.WorkFolder).string());
  const QString path = QFileDialog::getSaveFileName(this, "Export X3P", folder + "/Measured.x3p",
                                                    "X3P files (*.x3p)");
  if (path.isEmpty()) return;
  const Status exported = ExportX3pTo(path.toStdString());
  if (!exported.ok()) {
    ShowMessage(this, QString::fromStdString(exported.description()), MessageIcon::Critical);
  }
}

}  // namespace kv
