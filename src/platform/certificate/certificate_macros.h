// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <map>
#include <memory>

#include "platform/certificate/certificate_output.h"
#include "platform/spreadsheet/xls_spreadsheet.h"

namespace kv {

// The certificates that "CreateCertifcate" made, one per workbook (host
// path); the macros of one spreadsheet application share it.
class CertificateState {
 public:
  void Keep(const std::filesystem::path& workbook, Certificate certificate);
  // The workbook's certificate, or null when none has been made since it was opened.
  Certificate* Find(const std::filesystem::path& workbook);
  void Forget(const std::filesystem::path& workbook);

 private:
  std::map<std::filesystem::path, Certificate> certificates_;
};

// The macros of the certificate templates, run in the workbook's folder (the
// working folder):
// - "CreateCertifcate": reads the result and settings files and the
//   template's wording into a certificate for the workbook;
// - "AutoPrint": prints it on the default printer;
// - "PrintPreview": shows it in a modal preview until the user closes it;
// - "SheetExport": writes it as a PDF into the working folder;
// - "ChangeLanguage": switches between Japanese and English and keeps the
//   choice in "Certificate.INI".
// Printing, preview and export before "CreateCertifcate" are errors. All block.
MacroTable CertificateMacros(std::shared_ptr<CertificateState> state);

}  // namespace kv
