// SPDX-License-Identifier: GPL-3.0-or-later
#include "certificate/qt/qt_certificate_actions.h"

#include <QDateTime>
#include <utility>

#include "certificate/certificate.h"
#include "certificate/certificate_language.h"
#include "certificate/qt/certificate_pdf.h"
#include "certificate/qt/certificate_printer.h"
#include "certificate/qt/on_application_thread.h"

namespace kv {

QtCertificateActions::QtCertificateActions(FileSystem& files, std::string workFolder)
    : files_(files), workFolder_(std::move(workFolder)) {
  if (workFolder_.empty() || workFolder_.back() != '\\') workFolder_ += '\\';
}

Status QtCertificateActions::Print(Paper paper) {
  auto certificate = MakeCertificate(files_, workFolder_, paper);
  if (!certificate.ok()) return certificate.status();
  return OnApplicationThread([&] { return PrintCertificate(certificate.value()); });
}

Status QtCertificateActions::Preview(Paper paper) {
  auto certificate = MakeCertificate(files_, workFolder_, paper);
  if (!certificate.ok()) return certificate.status();
  return OnApplicationThread([&] { return PreviewCertificate(certificate.value()); });
}

Result<std::string> QtCertificateActions::Export(Paper paper) {
  auto certificate = MakeCertificate(files_, workFolder_, paper);
  if (!certificate.ok()) return certificate.status();
  auto pdf = OnApplicationThread([&] { return CertificatePdf(certificate.value()); });
  if (!pdf.ok()) return pdf.status();
  std::string path = FreePdfPath(certificate.value().data.issued);
  Status written = files_.WriteBytes(path, pdf.value());
  if (!written.ok()) {
    return Status::Error(StatusCode::kFileError,
                         "Cannot write the certificate PDF into the folder \"" + workFolder_ +
                             "\": " + written.description());
  }
  return path;
}

Status QtCertificateActions::SwitchLanguage(Paper) {
  return SwitchCertificateLanguage(files_, workFolder_);
}

std::string QtCertificateActions::FreePdfPath(std::int64_t issued) const {
  std::string stem =
      workFolder_ + "Certificate_" +
      QDateTime::fromSecsSinceEpoch(issued).toString("yyyyMMdd_HHmmss").toStdString();
  std::string path = stem + ".pdf";
  for (int n = 2; files_.FileExists(path); ++n) path = stem + "_" + std::to_string(n) + ".pdf";
  return path;
}

}  // namespace kv
