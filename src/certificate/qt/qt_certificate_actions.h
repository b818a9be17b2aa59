// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "certificate/certificate_actions.h"
#include "platform/file_system.h"
#include "platform/status.h"

namespace kv {

// The certificate actions carried out by the program itself: the certificate
// is made from the template's wording and the working folder's files, then
// drawn with Qt on the printer, in a preview dialog or into a PDF. Files are
// read on the calling thread; drawing, printing and the dialog run on the
// QCoreApplication's thread (a QApplication for the preview), which must be
// running its event loop while another thread calls.
class QtCertificateActions : public CertificateActions {
 public:
  // `workFolder` is Windows path text, as "C:\Tarnwick Corvanet\KV-730\".
  QtCertificateActions(FileSystem& files, std::string workFolder);

  Status Print(Paper paper) override;
  Status Preview(Paper paper) override;
  Result<std::string> Export(Paper paper) override;
  // The language is the working folder's, the same for both papers.
  Status SwitchLanguage(Paper paper) override;

 private:
  // A name for a PDF made at `issued` that no file of the working folder has yet.
  std::string FreePdfPath(std::int64_t issued) const;

  FileSystem& files_;
  std::string workFolder_;  // ends in a separator
};

}  // namespace kv
