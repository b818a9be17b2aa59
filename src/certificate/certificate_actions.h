// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "certificate/spreadsheet.h"

namespace kv {

// The macros each certificate button runs, in order.
inline constexpr std::array<std::string_view, 2> kPrintMacros{"CreateCertifcate", "AutoPrint"};
inline constexpr std::array<std::string_view, 2> kPreviewMacros{"CreateCertifcate", "PrintPreview"};
inline constexpr std::array<std::string_view, 2> kExportMacros{"CreateCertifcate", "SheetExport"};
inline constexpr std::array<std::string_view, 1> kLanguageMacros{"ChangeLanguage"};

// The template copy for the paper size: A4, or Letter for anything else.
std::string TemplatePath(const std::string& workFolder, bool a4);

// Shows the application without alerts, opens the template into
// `CertificateBook`, runs the macros one after the other and quits. The first
// error stops there (no further macro, no Quit) and is returned.
Status RunCertificateMacros(SpreadsheetApp* ExcelApp, std::shared_ptr<Workbook>& CertificateBook,
                            const std::string& templatePath,
                            std::span<const std::string_view> macros);

}  // namespace kv
