// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "certificate/certificate_actions.h"
#include "certificate/certificate_data.h"
#include "certificate/certificate_language.h"
#include "certificate/certificate_wording.h"
#include "platform/file_system.h"
#include "platform/status.h"

namespace kv {

// A certificate ready to draw: what it shows, its template's wording and the
// language it is drawn in.
struct Certificate {
  CertificateData data;
  CertificateWording wording;
  Language language;
};

// Makes the certificate of the working folder `workFolder` (Windows path text
// ending in a separator): the wording of the template for `paper`
// ("KV_Certificate.xls" for A4, "KV_Certificate_Letter.xls" for Letter), the
// result and settings files, the stored language, and now as its issue time.
// The first missing or refused file stops it with an error naming that file.
Result<Certificate> MakeCertificate(const FileSystem& files, std::string_view workFolder,
                                    Paper paper);

}  // namespace kv
