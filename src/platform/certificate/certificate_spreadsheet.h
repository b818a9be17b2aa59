// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string_view>

#include "platform/certificate/certificate_macros.h"

namespace kv {

// The spreadsheet stand-in with the certificate macros. Each Open() starts
// the workbook without a certificate, as a freshly opened template has none
// until "CreateCertifcate" runs in it: a certificate never outlives its action.
class CertificateSpreadsheetApp : public XlsSpreadsheetApp {
 public:
  explicit CertificateSpreadsheetApp(const DriveMap& drives)
      : CertificateSpreadsheetApp(drives, std::make_shared<CertificateState>()) {}

  Result<std::shared_ptr<Workbook>> Open(std::string_view windowsPath) override;

 private:
  CertificateSpreadsheetApp(const DriveMap& drives, std::shared_ptr<CertificateState> state)
      : XlsSpreadsheetApp(drives, CertificateMacros(state)),
        drives_(drives),
        state_(std::move(state)) {}

  DriveMap drives_;
  std::shared_ptr<CertificateState> state_;
};

}  // namespace kv
