// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "certificate/certificate.h"
#include "platform/status.h"

namespace kv {

// Prints on the default printer; blocks until the page is handed to it. An
// error when no printer is available or the printer refuses the job.
Status PrintCertificate(const Certificate& certificate);

// Shows the certificate in a modal print-preview window and returns when the
// user closes it. Needs a QApplication, on its thread.
Status PreviewCertificate(const Certificate& certificate);

}  // namespace kv
