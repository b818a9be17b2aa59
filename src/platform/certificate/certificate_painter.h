// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>

#include "platform/certificate/certificate_data.h"
#include "platform/certificate/certificate_wording.h"

class QPainter;

namespace kv {

// Draws the whole certificate on one page. `page` is the sheet of paper in
// the painter's coordinates (full page, no margins) and sets the scale: the
// paper of the wording is taken to fill it. Every word comes from `wording`
// in `language`; every value from `data`. Print, preview and PDF all draw
// through here, so they never differ.
void PaintCertificate(QPainter& painter, const QRectF& page, const CertificateData& data,
                      const CertificateWording& wording, Language language);

// The paper's width and height in millimetres.
QSizeF PaperSizeMm(Paper paper);

}  // namespace kv
