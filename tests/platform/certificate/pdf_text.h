// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSizeF>
#include <filesystem>
#include <string>

namespace kvtest {

// The text of a PDF as pdftotext finds it, in reading order.
std::string PdfText(const std::filesystem::path& pdf);

// The size of the PDF's first page in points, as pdfinfo reports it.
QSizeF PdfPageSize(const std::filesystem::path& pdf);

}  // namespace kvtest
