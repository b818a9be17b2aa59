// SPDX-License-Identifier: GPL-3.0-or-later
#include "certificate/qt/certificate_printer.h"

#include <QApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "certificate/qt/certificate_painter.h"

namespace kv {
namespace {

// The certificate draws its own margins on the whole sheet.
void SetUpPrinter(QPrinter& printer, const Certificate& certificate) {
  printer.setPageSize(CertificatePageSize(certificate));
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setFullPage(true);
  printer.setDocName(CertificateTitle(certificate));
}

bool PaintOn(QPrinter& printer, const Certificate& certificate) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  PaintCertificate(painter, printer.paperRect(QPrinter::DevicePixel), certificate);
  return painter.end();
}

}  // namespace

Status PrintCertificate(const Certificate& certificate) {
  QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) {
    return Status::Error(StatusCode::kFailed,
                         "No printer is available to print the certificate: no default printer "
                         "is set up.");
  }
  QPrinter printer(info, QPrinter::HighResolution);
  SetUpPrinter(printer, certificate);
  if (!PaintOn(printer, certificate)) {
    return Status::Error(StatusCode::kFailed, "The printer \"" + info.printerName().toStdString() +
                                                  "\" did not take the certificate.");
  }
  return Status::Ok();
}

Status PreviewCertificate(const Certificate& certificate) {
  // A program without windows runs a QGuiApplication only; a dialog would end it.
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
    return Status::Error(StatusCode::kFailed,
                         "The certificate preview cannot be shown: the program runs without "
                         "windows.");
  }
  // Without a printer the preview shows the page as a PDF would hold it.
  QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
  SetUpPrinter(printer, certificate);
  QPrintPreviewDialog dialog(&printer);
  dialog.setWindowTitle(CertificateTitle(certificate));
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                   [&certificate](QPrinter* target) { PaintOn(*target, certificate); });
  dialog.exec();
  return Status::Ok();
}

}  // namespace kv
