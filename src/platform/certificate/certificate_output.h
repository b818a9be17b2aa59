// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <filesystem>

#include "platform/certificate/certificate_data.h"
#include "platform/certificate/certificate_wording.h"
#include "platform/status.h"

namespace kv {

// A certificate ready to draw: what it shows, its template's wording and the
// language it is drawn in.
struct Certificate {
  CertificateData data;
  CertificateWording wording;
  Language language;
};

// Prints on the default printer; blocks until the page is handed to it. An
// error when no printer is available or the printer refuses the job.
Status PrintCertificate(const Certificate& certificate);

// Shows the certificate in a modal print-preview window and returns when the
// user closes it.
Status PreviewCertificate(const Certificate& certificate);

// Writes the certificate as a vector PDF into `folder` under
// "Certificate_<yyyyMMdd>_<HHmmss>.pdf" from `now` ("_2", "_3", ... when that
// name is taken). The PDF is written under a temporary name and renamed when
// complete. Returns the file written; an error names the folder.
Result<std::filesystem::path> ExportCertificatePdf(const Certificate& certificate,
                                                   const std::filesystem::path& folder,
                                                   const QDateTime& now);

}  // namespace kv
