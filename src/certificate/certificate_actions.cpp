// SPDX-License-Identifier: GPL-3.0-or-later
#include "certificate/certificate_actions.h"

namespace kv {

std::string TemplatePath(const std::string& workFolder, bool a4) {
  std::string folder = workFolder;
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder + (a4 ? "KV_Certificate.xls" : "KV_Certificate_Letter.xls");
}

Status RunCertificateMacros(SpreadsheetApp* ExcelApp, std::shared_ptr<Workbook>& CertificateBook,
                            const std::string& templatePath,
                            std::span<const std::string_view> macros) {
  if (!ExcelApp) return Status::Error("The spreadsheet application is not available.");
  ExcelApp->SetVisible(true);
  ExcelApp->SetDisplayAlerts(false);
  auto opened = ExcelApp->Open(templatePath);
  if (!opened.ok()) return opened.status();
  CertificateBook = opened.value();
  for (std::string_view macro : macros) {
    if (Status ran = ExcelApp->Run(macro); !ran.ok()) return ran;
  }
  ExcelApp->Quit();
  return Status::Ok();
}

}  // namespace kv
