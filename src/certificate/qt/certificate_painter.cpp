// SPDX-License-Identifier: GPL-3.0-or-later
#include "certificate/qt/certificate_painter.h"

#include <QDateTime>
#include <QFontMetricsF>
#include <QLocale>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "certificate/qt/certificate_graph.h"

namespace kv {
namespace {

constexpr double kMargin = 15;          // mm around the certificate
constexpr double kRowHeight = 5.5;      // mm of a table row at its full size
constexpr double kMaxTableHeight = 85;  // mm the condition and parameter tables may take
constexpr double kGraphHeight = 90;     // mm of a graph at its normal size
constexpr double kSignatureHeight = 16;
constexpr double kCellPadding = 1.2;   // mm between a cell's border and its text
constexpr double kMinTablePoints = 5;  // a table's font shrinks to fit down to this
// No cell or line shows more; longer texts are cut before they are measured,
// so a huge value costs the text layout nothing.
constexpr qsizetype kMaxDrawnCharacters = 512;

QString Drawable(const QString& text) {
  return text.size() > kMaxDrawnCharacters ? text.left(kMaxDrawnCharacters) : text;
}

using Rows = std::vector<std::vector<QString>>;

// The page in millimetres: positions, lengths and fonts for the painter.
class Sheet {
 public:
  Sheet(QPainter& painter, const QRectF& page, QSizeF paperMm, QString family)
      : painter_(painter),
        page_(page),
        mm_(page.width() / paperMm.width()),
        family_(std::move(family)) {}

  double mm() const { return mm_; }
  double width() const { return page_.width() / mm_; }
  double height() const { return page_.height() / mm_; }
  QRectF Rect(double x, double y, double w, double h) const {
    return {page_.left() + x * mm_, page_.top() + y * mm_, w * mm_, h * mm_};
  }
  // A font of `points` on paper, whatever the device's resolution.
  QFont Font(double points, bool bold = false) const {
    QFont font(family_);
    double dpi = painter_.device()->logicalDpiY();
    font.setPointSizeF(points * mm_ * 25.4 / dpi);
    font.setBold(bold);
    // Ligatures would turn "fi" into one glyph that a PDF search no longer finds.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
  }

 private:
  QPainter& painter_;
  QRectF page_;
  double mm_;
  QString family_;
};

class CertificatePainter {
 public:
  CertificatePainter(QPainter& painter, const QRectF& page, const Certificate& certificate)
      : painter_(painter),
        data_(certificate.data),
        wording_(certificate.wording),
        language_(certificate.language),
        sheet_(painter, page, CertificatePageSize(certificate).size(QPageSize::Millimeter),
               Text("Font")) {}

  void Paint() {
    double y = kMargin;
    y = Header(y);
    y = Comments(y);
    y = ConditionsAndParameters(y);
    Graphs(y + 3, sheet_.height() - kMargin - kSignatureHeight - 10);
    SignaturesAndFooter();
  }

 private:
  QString Text(const char* key) const {
    return QString::fromStdString(wording_.Text(key, language_));
  }
  double Content() const { return sheet_.width() - 2 * kMargin; }

  void Write(const QRectF& rect, const QString& text, const QFont& font, int flags) {
    painter_.setFont(font);
    QFontMetricsF metrics(font, painter_.device());
    painter_.drawText(rect, flags,
                      metrics.elidedText(Drawable(text), Qt::ElideRight, rect.width()));
  }

  double Header(double y) {
    Write(sheet_.Rect(kMargin, y, Content(), 12), Text("Title"), sheet_.Font(18, true),
          Qt::AlignCenter);
    QLocale locale(language_ == Language::Japanese ? QLocale::Japanese : QLocale::English);
    QString date = locale.toString(QDateTime::fromSecsSinceEpoch(data_.issued), Text("DateFormat"));
    Write(sheet_.Rect(kMargin, y + 13, Content(), 5), Text("IssueDate") + "  " + date,
          sheet_.Font(9), Qt::AlignRight | Qt::AlignVCenter);
    painter_.setPen(QPen(Qt::black, 0.4 * sheet_.mm()));
    painter_.drawLine(sheet_.Rect(kMargin, y + 19.5, Content(), 0).topLeft(),
                      sheet_.Rect(kMargin, y + 19.5, Content(), 0).topRight());
    return y + 23;
  }

  double Heading(double x, double y, double width, const QString& text) {
    Write(sheet_.Rect(x, y, width, 6), text, sheet_.Font(11, true),
          Qt::AlignLeft | Qt::AlignVCenter);
    return y + 7;
  }

  // A grid of cells; the first column of each column pair is shaded.
  double Table(double x, double y, const std::vector<double>& widths, const Rows& rows,
               double rowHeight, double points) {
    QFont font = sheet_.Font(points);
    for (const auto& row : rows) {
      double left = x;
      for (std::size_t c = 0; c < widths.size(); ++c) {
        QRectF cell = sheet_.Rect(left, y, widths[c], rowHeight);
        painter_.setPen(QPen(Qt::gray, 0.2 * sheet_.mm()));
        painter_.setBrush(c % 2 == 0 ? QColor(236, 242, 242) : QColor(Qt::white));
        painter_.drawRect(cell);
        painter_.setPen(Qt::black);
        QString text = c < row.size() ? row[c] : QString();
        Write(cell.adjusted(kCellPadding * sheet_.mm(), 0, -kCellPadding * sheet_.mm(), 0), text,
              font, Qt::AlignLeft | Qt::AlignVCenter);
        left += widths[c];
      }
      y += rowHeight;
    }
    painter_.setBrush(Qt::NoBrush);
    return y;
  }

  // Widths (mm) that show every text of `rows` whole across `total` mm: each
  // column as wide as its widest text, the room left shared out evenly.
  // When that is too wide the font of `points` shrinks until it fits; only
  // below kMinTablePoints are texts cut.
  std::vector<double> FitColumns(const Rows& rows, double total, double& points) const {
    std::vector<double> widths;
    QFontMetricsF metrics(sheet_.Font(points), painter_.device());
    for (const auto& row : rows) {
      if (widths.size() < row.size()) widths.resize(row.size(), 0);
      for (std::size_t c = 0; c < row.size(); ++c) {
        widths[c] = std::max(widths[c], metrics.horizontalAdvance(Drawable(row[c])) / sheet_.mm());
      }
    }
    const double padding = 2 * kCellPadding * static_cast<double>(widths.size());
    const double texts = std::accumulate(widths.begin(), widths.end(), 0.0);
    if (widths.empty() || texts <= 0) return widths;
    // Glyph advances do not scale quite linearly with the size: a little room to spare.
    const double scale = std::min(1.0, (total - padding) / texts * 0.97);
    points = std::max(kMinTablePoints, points * scale);
    const double spare = (total - padding - texts * scale) / static_cast<double>(widths.size());
    for (double& width : widths) width = width * scale + 2 * kCellPadding + spare;
    return widths;
  }

  double Comments(double y) {
    y = Heading(kMargin, y, Content(), Text("Comments"));
    Rows rows;
    for (std::size_t n = 0; n < 4; ++n) {
      rows.push_back({QString::fromStdString(data_.comments[n]),
                      QString::fromStdString(data_.comments[n + 4])});
    }
    return Table(kMargin, y, {Content() * 0.35, Content() * 0.65}, rows, 6.5, 10) + 4;
  }

  Rows ConditionRows() const {
    Rows rows;
    for (const Condition& condition : data_.conditions) {
      rows.push_back({Text(condition.label.c_str()), QString::fromStdString(condition.value)});
    }
    bool metric = data_.unit == Unit::Metric;
    if (!data_.pitchText.empty()) {
      rows.push_back({Text("Pitch"), QString::fromStdString(data_.pitchText) + " " +
                                         Text(metric ? "Micrometre" : "Microinch")});
    }
    rows.push_back({Text("Unit"), Text(metric ? "UnitMetric" : "UnitInch")});
    return rows;
  }

  // Parameters fill up to three column pairs, side by side.
  Rows ParameterRows(std::size_t pairs) const {
    std::size_t count = data_.parameters.size();
    std::size_t perPair = std::max<std::size_t>(1, (count + pairs - 1) / pairs);
    Rows rows(perPair + 1);
    for (std::size_t p = 0; p < pairs; ++p) {
      rows[0].push_back(Text("ParameterName"));
      rows[0].push_back(Text("ParameterValue"));
    }
    for (std::size_t i = 0; i < count; ++i) {
      auto& row = rows[1 + i % perPair];
      row.push_back(QString::fromStdString(data_.parameters[i].name));
      row.push_back(QString::fromStdString(data_.parameters[i].value));
    }
    return rows;
  }

  double ConditionsAndParameters(double y) {
    const double left = Content() * 0.48;
    const double right = Content() - left - 6;
    const double x = kMargin + left + 6;
    std::size_t pairs = std::clamp<std::size_t>((data_.parameters.size() + 9) / 10, 1, 3);
    Rows conditions = ConditionRows();
    Rows parameters = ParameterRows(pairs);
    double rowsNeeded = static_cast<double>(std::max(conditions.size(), parameters.size()));
    double rowHeight = std::min(kRowHeight, kMaxTableHeight / rowsNeeded);
    double points = std::min(9.0, rowHeight * 1.6);

    double top = Heading(kMargin, y, left, Text("Conditions"));
    Heading(x, y, right, Text("Parameters"));
    double bottom = Table(kMargin, top, {left * 0.55, left * 0.45}, conditions, rowHeight, points);
    std::vector<double> widths = FitColumns(parameters, right, points);
    return std::max(bottom, Table(x, top, widths, parameters, rowHeight, points));
  }

  void Graphs(double y, double bottom) {
    GraphMetrics metrics{sheet_.mm(), sheet_.Font(7), sheet_.Font(8, true)};
    bool metric = data_.unit == Unit::Metric;
    bool beside = data_.layout == GraphLayout::BacAdc;
    Graph profile{Text("EvaluationProfile"), ProfileAxis(), {}, data_.evaluation, false};
    profile.y = beside ? ValueRange({data_.evaluation, data_.bac},
                                    Text(metric ? "AxisHeightMetric" : "AxisHeightInch"))
                       : ValueRange({data_.evaluation},
                                    Text(metric ? "AxisHeightMetric" : "AxisHeightInch"));
    double height = std::min(kGraphHeight, bottom - y);
    if (data_.layout == GraphLayout::Enlarged) {
      PaintGraph(painter_, sheet_.Rect(kMargin, y, Content(), bottom - y), profile, metrics);
      return;
    }
    double width = Content() * 0.6;
    double left = beside ? kMargin : kMargin + (Content() - width) / 2;
    PaintGraph(painter_, sheet_.Rect(left, y, width, height), profile, metrics);
    if (!beside) return;
    // The curves beside share the profile's height axis and line up with it.
    GraphAxis shared{profile.y.min, profile.y.max, QString(), false};
    Graph bac{Text("GraphBAC"), {0, 100, Text("AxisBearingRatio"), true}, shared, data_.bac, false};
    GraphAxis density = ValueRange({data_.adc}, Text("AxisDensity"));
    if (std::all_of(data_.adc.begin(), data_.adc.end(), [](double v) { return v >= 0; })) {
      density.min = 0;
    }
    Graph adc{Text("GraphADC"), density, shared, data_.adc, true};
    double side = (Content() - width) / 2;
    PaintGraph(painter_, sheet_.Rect(kMargin + width, y, side, height), bac, metrics);
    PaintGraph(painter_, sheet_.Rect(kMargin + width + side, y, side, height), adc, metrics);
  }

  // Positions from the sampling pitch (µm or µin) in mm or in; without a
  // pitch the points are counted.
  GraphAxis ProfileAxis() const {
    double last = data_.evaluation.empty() ? 1 : static_cast<double>(data_.evaluation.size() - 1);
    if (!data_.pitch) return {0, std::max(last, 1.0), Text("AxisPoint"), true};
    bool metric = data_.unit == Unit::Metric;
    double length = last * *data_.pitch / (metric ? 1e3 : 1e6);
    return {0, length > 0 ? length : 1, Text(metric ? "AxisPositionMetric" : "AxisPositionInch"),
            true};
  }

  void SignaturesAndFooter() {
    const double boxWidth = 38;
    const double top = sheet_.height() - kMargin - kSignatureHeight - 7;
    const char* labels[] = {"InspectedBy", "ApprovedBy"};
    for (int i = 0; i < 2; ++i) {
      double x = sheet_.width() - kMargin - (2 - i) * boxWidth;
      painter_.setPen(QPen(Qt::black, 0.25 * sheet_.mm()));
      painter_.drawRect(sheet_.Rect(x, top, boxWidth, kSignatureHeight));
      Write(sheet_.Rect(x + 1.5, top + 0.5, boxWidth - 3, 5), Text(labels[i]), sheet_.Font(8),
            Qt::AlignLeft | Qt::AlignVCenter);
    }
    painter_.setPen(Qt::darkGray);
    Write(sheet_.Rect(kMargin, sheet_.height() - kMargin - 5, Content(), 5), Text("Footer"),
          sheet_.Font(7.5), Qt::AlignHCenter | Qt::AlignBottom);
  }

  QPainter& painter_;
  const CertificateData& data_;
  const CertificateWording& wording_;
  Language language_;
  Sheet sheet_;
};

}  // namespace

QPageSize CertificatePageSize(const Certificate& certificate) {
  return QPageSize(certificate.wording.paper() == Paper::kA4 ? QPageSize::A4 : QPageSize::Letter);
}

QString CertificateTitle(const Certificate& certificate) {
  return QString::fromStdString(certificate.wording.Text("Title", certificate.language));
}

void PaintCertificate(QPainter& painter, const QRectF& page, const Certificate& certificate) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  CertificatePainter(painter, page, certificate).Paint();
  painter.restore();
}

}  // namespace kv
