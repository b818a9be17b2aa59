// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/certificate/certificate_output.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

#include "platform/certificate/certificate_painter.h"

namespace kv {
namespace {

constexpr int kPdfResolution = 600;  // dpi; fine enough for every line and curve

QPageSize PageSizeOf(Paper paper) {
  return QPageSize(paper == Paper::A4 ? QPageSize::A4 : QPageSize::Letter);
}

QString Title(const Certificate& certificate) {
  return QString::fromStdString(certificate.wording.Text("Title", certificate.language));
}

// The certificate draws its own margins on the whole sheet.
void SetUpPrinter(QPrinter& printer, const Certificate& certificate) {
  printer.setPageSize(PageSizeOf(certificate.wording.paper()));
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setFullPage(true);
  printer.setDocName(Title(certificate));
}

bool PaintOn(QPrinter& printer, const Certificate& certificate) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  PaintCertificate(painter, printer.paperRect(QPrinter::DevicePixel), certificate.data,
                   certificate.wording, certificate.language);
  return painter.end();
}

std::filesystem::path FreePdfName(const std::filesystem::path& folder, const QDateTime& now) {
  std::string stem = "Certificate_" + now.toString("yyyyMMdd_HHmmss").toStdString();
  std::filesystem::path path = folder / (stem + ".pdf");
  for (int n = 2; std::filesystem::exists(path); ++n) {
    path = folder / (stem + "_" + std::to_string(n) + ".pdf");
  }
  return path;
}

Status PdfError(const std::filesystem::path& folder, const QString& reason) {
  return Status::Error("Cannot write the certificate PDF into the folder \"" + folder.string() +
                       "\": " + reason.toStdString() + ".");
}

}  // namespace

Status PrintCertificate(const Certificate& certificate) {
  QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) {
    return Status::Error(
        "No printer is available to print the certificate: no default printer "
        "is set up.");
  }
  QPrinter printer(info, QPrinter::HighResolution);
  SetUpPrinter(printer, certificate);
  if (!PaintOn(printer, certificate)) {
    return Status::Error("The printer \"" + info.printerName().toStdString() +
                         "\" did not take the certificate.");
  }
  return Status::Ok();
}

Status PreviewCertificate(const Certificate& certificate) {
  QPrinterInfo info = QPrinterInfo::defaultPrinter();
  QPrinter printer(info, QPrinter::HighResolution);  // a null printer previews as PDF
  SetUpPrinter(printer, certificate);
  QPrintPreviewDialog dialog(&printer);
  dialog.setWindowTitle(Title(certificate));
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                   [&certificate](QPrinter* target) { PaintOn(*target, certificate); });
  dialog.exec();
  return Status::Ok();
}

Result<std::filesystem::path> ExportCertificatePdf(const Certificate& certificate,
                                                   const std::filesystem::path& folder,
                                                   const QDateTime& now) {
  std::filesystem::path path = FreePdfName(folder, now);
  // QSaveFile writes beside the final name and renames only on commit().
  QSaveFile file(QString::fromStdString(path.string()));
  if (!file.open(QIODevice::WriteOnly)) return PdfError(folder, file.errorString());
  {
    QPdfWriter writer(&file);
    writer.setPageSize(PageSizeOf(certificate.wording.paper()));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(kPdfResolution);
    writer.setTitle(Title(certificate));
    QPainter painter;
    if (!painter.begin(&writer)) return PdfError(folder, "the PDF cannot be started");
    PaintCertificate(painter, writer.pageLayout().fullRectPixels(kPdfResolution), certificate.data,
                     certificate.wording, certificate.language);
    if (!painter.end()) return PdfError(folder, "the PDF cannot be completed");
  }
  if (!file.commit()) return PdfError(folder, file.errorString());
  return path;
}

}  // namespace kv
