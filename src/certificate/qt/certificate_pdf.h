// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "certificate/certificate.h"
#include "platform/status.h"

namespace kv {

// The certificate as a vector PDF on its template's paper: the bytes of the
// file, for the caller to write whole.
Result<std::string> CertificatePdf(const Certificate& certificate);

}  // namespace kv
