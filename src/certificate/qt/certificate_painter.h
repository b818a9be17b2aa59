// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPageSize>
#include <QRectF>
#include <QString>

#include "certificate/certificate.h"

class QPainter;

namespace kv {

// Draws the whole certificate on one page. `page` is the sheet of paper in
// the painter's coordinates (full page, no margins) and sets the scale: the
// paper of the wording is taken to fill it. Every word comes from the wording
// in the certificate's language; every value from its data. Print, preview
// and PDF all draw through here, so they never differ.
void PaintCertificate(QPainter& painter, const QRectF& page, const Certificate& certificate);

// The paper the certificate's template is laid out for.
QPageSize CertificatePageSize(const Certificate& certificate);

// The certificate's title in its language: the name of its print job or PDF.
QString CertificateTitle(const Certificate& certificate);

}  // namespace kv
