// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "certificate/certificate_actions.h"
#include "certificate/certificate_language.h"
#include "platform/spreadsheet/workbook.h"
#include "platform/status.h"

namespace kv {

// The fixed wording of a certificate template: every word the drawing shows,
// in both languages, and the paper the template is made for.
class CertificateWording {
 public:
  CertificateWording(Paper paper,
                     std::map<std::string, std::array<std::string, 2>, std::less<>> texts)
      : paper_(paper), texts_(std::move(texts)) {}

  Paper paper() const { return paper_; }
  // The text of a key that ReadCertificateWording() checked to be there;
  // any other key gives an empty text.
  const std::string& Text(std::string_view key, Language language) const;

 private:
  Paper paper_;
  std::map<std::string, std::array<std::string, 2>, std::less<>> texts_;
};

// Reads sheet "Certificate" of a template: from row 2 down to the first row
// without a key, column 1 the key, column 2 the Japanese and column 3 the
// English text. `name` is the workbook's Windows path; an error names it and
// its missing sheet, key or paper.
Result<CertificateWording> ReadCertificateWording(Workbook& workbook, std::string_view name);

}  // namespace kv
