// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/status.h"

namespace kv {

// The paper size of the certificate, and with it the template it is made from.
enum class Paper { kA4, kLetter };

// The four certificate actions. Each first makes the certificate from the
// template for `paper` and from the working folder's result files and
// Comment.INI, then prints, previews or exports it; the language switch only
// toggles the certificate language kept in the working folder. A failure
// stops the action there and says why. Methods may be called from any
// thread; a backend that draws or shows dialogs does so on its own UI thread.
// A backend driving a spreadsheet application's macros could stand here too.
class CertificateActions {
 public:
  virtual ~CertificateActions() = default;
  // On the system's default printer.
  virtual Status Print(Paper paper) = 0;
  // In a modal preview; returns when it is closed.
  virtual Status Preview(Paper paper) = 0;
  // As "Certificate_YYYYMMDD_HHMMSS.pdf" in the working folder; returns its
  // Windows path.
  virtual Result<std::string> Export(Paper paper) = 0;
  virtual Status SwitchLanguage(Paper paper) = 0;
};

}  // namespace kv
