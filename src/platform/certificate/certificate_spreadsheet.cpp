// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/certificate/certificate_spreadsheet.h"

namespace kv {

Result<std::shared_ptr<Workbook>> CertificateSpreadsheetApp::Open(std::string_view windowsPath) {
  // The same host path the macros are later given for this workbook.
  state_->Forget(drives_.HostPath(windowsPath));
  return XlsSpreadsheetApp::Open(windowsPath);
}

}  // namespace kv
