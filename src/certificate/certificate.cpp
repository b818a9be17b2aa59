// SPDX-License-Identifier: GPL-3.0-or-later
#include "certificate/certificate.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <utility>

#include "platform/spreadsheet/xls_workbook.h"

namespace kv {
namespace {

std::string TemplatePath(std::string_view workFolder, Paper paper) {
  return std::string(workFolder) +
         (paper == Paper::kA4 ? "KV_Certificate.xls" : "KV_Certificate_Letter.xls");
}

std::int64_t SecondsSinceEpoch() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace

Result<Certificate> MakeCertificate(const FileSystem& files, std::string_view workFolder,
                                    Paper paper) {
  std::string templatePath = TemplatePath(workFolder, paper);
  auto workbook = OpenXlsWorkbook(files.drives().HostPath(templatePath), templatePath);
  if (!workbook.ok()) return workbook.status();
  auto wording = ReadCertificateWording(*workbook.value(), templatePath);
  if (!wording.ok()) return wording.status();
  auto data = ReadCertificateData(files, workFolder);
  if (!data.ok()) return data.status();
  data.value().issued = SecondsSinceEpoch();
  return Certificate{std::move(data.value()), std::move(wording.value()),
                     CertificateLanguage(files, workFolder)};
}

}  // namespace kv
