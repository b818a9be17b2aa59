// SPDX-License-Identifier: GPL-3.0-or-later
#include "certificate/qt/certificate_pdf.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include "certificate/qt/certificate_painter.h"

namespace kv {
namespace {

constexpr int kPdfResolution = 600;  // dpi; fine enough for every line and curve

Status NotDrawn(const char* cause) {
  return Status::Error(StatusCode::kFailed,
                       std::string("Cannot draw the certificate PDF: ") + cause + ".");
}

}  // namespace

Result<std::string> CertificatePdf(const Certificate& certificate) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setPageSize(CertificatePageSize(certificate));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(kPdfResolution);
    writer.setTitle(CertificateTitle(certificate));
    QPainter painter;
    if (!painter.begin(&writer)) return NotDrawn("the PDF writer does not start");
    PaintCertificate(painter, writer.pageLayout().fullRectPixels(kPdfResolution), certificate);
    if (!painter.end()) return NotDrawn("the PDF writer does not complete the page");
  }
  return buffer.data().toStdString();
}

}  // namespace kv
