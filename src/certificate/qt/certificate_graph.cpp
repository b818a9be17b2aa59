// SPDX-License-Identifier: GPL-3.0-or-later
#include "certificate/qt/certificate_graph.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <limits>

namespace kv {
namespace {

constexpr int kMaxTicks = 6;

// A step of 1, 2 or 5 times a power of ten that gives at most kMaxTicks ticks.
double TickStep(double span) {
  double raw = span / kMaxTicks;
  double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  double normal = raw / magnitude;
  double factor = normal <= 1 ? 1 : normal <= 2 ? 2 : normal <= 5 ? 5 : 10;
  return factor * magnitude;
}

std::vector<double> Ticks(const GraphAxis& axis) {
  std::vector<double> ticks;
  double step = TickStep(axis.max - axis.min);
  // Counted in an integer (a double stops counting past 2^53): the step leaves
  // at most kMaxTicks + 1 ticks.
  const double first = std::ceil(axis.min / step);
  for (int k = 0; k <= kMaxTicks && (first + k) * step <= axis.max + step * 1e-9; ++k) {
    ticks.push_back((first + k) * step);
  }
  return ticks;
}

QString TickText(double value, const GraphAxis& axis) {
  double step = TickStep(axis.max - axis.min);
  int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
  if (std::abs(value) < step * 1e-6) value = 0;  // no "-0.0"
  return QString::number(value, 'f', decimals);
}

// Device pixels along a line of `length` painter units, horizontal or vertical.
int DeviceColumns(const QPainter& painter, double length, bool horizontal) {
  QLineF line = horizontal ? QLineF(0, 0, length, 0) : QLineF(0, 0, 0, length);
  return std::max(1, static_cast<int>(std::ceil(painter.deviceTransform().map(line).length())));
}

void PaintCurve(QPainter& painter, const QRectF& plot, const Graph& graph) {
  if (graph.values.empty()) return;
  const bool across = graph.valuesAcross;
  auto points = DecimateMinMax(
      graph.values, DeviceColumns(painter, across ? plot.height() : plot.width(), !across));
  const GraphAxis& valueAxis = across ? graph.x : graph.y;
  QPolygonF polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const CurvePoint& point : points) {
    double level = (point.value - valueAxis.min) / (valueAxis.max - valueAxis.min);
    polygon << (across ? QPointF(plot.left() + level * plot.width(),
                                 plot.top() + point.along * plot.height())
                       : QPointF(plot.left() + point.along * plot.width(),
                                 plot.bottom() - level * plot.height()));
  }
  painter.save();
  painter.setClipRect(plot);
  painter.drawPolyline(polygon);
  painter.restore();
}

void PaintXAxis(QPainter& painter, const QRectF& plot, const Graph& graph, const GraphMetrics& m) {
  QFontMetricsF numbers(m.font, painter.device());
  painter.setFont(m.font);
  for (double tick : Ticks(graph.x)) {
    double x = plot.left() + (tick - graph.x.min) / (graph.x.max - graph.x.min) * plot.width();
    painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 1.2 * m.mm));
    if (!graph.x.scale) continue;
    QString text = TickText(tick, graph.x);
    double width = numbers.horizontalAdvance(text);
    painter.drawText(QPointF(x - width / 2, plot.bottom() + 1.5 * m.mm + numbers.ascent()), text);
  }
  painter.setFont(m.titleFont);
  QRectF title(plot.left(), plot.bottom() + 1.5 * m.mm + numbers.height(), plot.width(),
               QFontMetricsF(m.titleFont, painter.device()).height() * 1.2);
  painter.drawText(title, Qt::AlignHCenter | Qt::AlignTop, graph.x.title);
}

void PaintYAxis(QPainter& painter, const QRectF& plot, const Graph& graph, const GraphMetrics& m) {
  QFontMetricsF numbers(m.font, painter.device());
  painter.setFont(m.font);
  double widest = 0;
  for (double tick : Ticks(graph.y)) {
    double y = plot.bottom() - (tick - graph.y.min) / (graph.y.max - graph.y.min) * plot.height();
    painter.drawLine(QPointF(plot.left() - 1.2 * m.mm, y), QPointF(plot.left(), y));
    if (!graph.y.scale) continue;
    QString text = TickText(tick, graph.y);
    double width = numbers.horizontalAdvance(text);
    widest = std::max(widest, width);
    painter.drawText(QPointF(plot.left() - 1.5 * m.mm - width, y + numbers.ascent() / 2.5), text);
  }
  if (graph.y.title.isEmpty()) return;
  painter.save();
  painter.setFont(m.titleFont);
  double right = plot.left() - 2.5 * m.mm - widest;
  painter.translate(right, plot.center().y());
  painter.rotate(-90);
  QRectF title(-plot.height() / 2, -QFontMetricsF(m.titleFont, painter.device()).height() * 1.2,
               plot.height(), QFontMetricsF(m.titleFont, painter.device()).height() * 1.2);
  painter.drawText(title, Qt::AlignHCenter | Qt::AlignBottom, graph.y.title);
  painter.restore();
}

}  // namespace

std::vector<CurvePoint> DecimateMinMax(std::span<const double> values, int columns) {
  std::vector<CurvePoint> points;
  const std::size_t count = values.size();
  const double last = count > 1 ? static_cast<double>(count - 1) : 1.0;
  if (count <= 2 * static_cast<std::size_t>(std::max(columns, 1))) {
    for (std::size_t i = 0; i < count; ++i)
      points.push_back({static_cast<double>(i) / last, values[i]});
    return points;
  }
  points.reserve(2 * static_cast<std::size_t>(columns));
  std::size_t begin = 0;
  for (int column = 0; column < columns; ++column) {
    std::size_t end = static_cast<std::size_t>(
        std::ceil(static_cast<double>(column + 1) * static_cast<double>(count) / columns));
    end = std::min(end, count);
    if (end <= begin) continue;
    auto [low, high] = std::minmax_element(values.begin() + static_cast<std::ptrdiff_t>(begin),
                                           values.begin() + static_cast<std::ptrdiff_t>(end));
    double along = (static_cast<double>(begin + end - 1) / 2.0) / last;
    if (low > high) std::swap(low, high);  // keep the order in which they occur
    points.push_back({along, *low});
    if (high != low) points.push_back({along, *high});
    begin = end;
  }
  return points;
}

GraphAxis ValueRange(std::initializer_list<std::span<const double>> curves, QString title) {
  double low = std::numeric_limits<double>::infinity();
  double high = -low;
  for (auto values : curves) {
    for (double value : values) {
      low = std::min(low, value);
      high = std::max(high, value);
    }
  }
  if (low > high) low = high = 0;  // no values at all
  double margin = high > low ? (high - low) * 0.05 : std::max(std::abs(low) * 0.1, 1.0);
  return {low - margin, high + margin, std::move(title), true};
}

QRectF GraphPlotArea(const QRectF& frame, const Graph& graph, const GraphMetrics& m,
                     const QPaintDevice* device) {
  QFontMetricsF titles(m.titleFont, device);
  QFontMetricsF numbers(m.font, device);
  double top = titles.height() * 2.4;  // two lines: long titles wrap in narrow graphs
  // Room on both sides for the half of an end scale number that sticks out.
  double left = 5 * m.mm + (graph.y.scale ? numbers.horizontalAdvance("-0000.0") : 0) +
                (graph.y.title.isEmpty() ? 0 : titles.height() * 1.3);
  double bottom = 1.5 * m.mm + numbers.height() + titles.height() * 1.3;
  return frame.adjusted(left, top, -4 * m.mm, -bottom);
}

void PaintGraph(QPainter& painter, const QRectF& frame, const Graph& graph, const GraphMetrics& m) {
  QFontMetricsF titles(m.titleFont, painter.device());
  const double top = titles.height() * 2.4;
  const QRectF plot = GraphPlotArea(frame, graph, m, painter.device());

  painter.save();
  painter.setFont(m.titleFont);
  painter.drawText(QRectF(frame.left(), frame.top(), frame.width(), top),
                   Qt::AlignCenter | Qt::TextWordWrap, graph.title);
  painter.setPen(QPen(Qt::black, 0.2 * m.mm));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(plot);
  PaintXAxis(painter, plot, graph, m);
  PaintYAxis(painter, plot, graph, m);
  painter.setPen(QPen(QColor(0, 60, 160), 0.15 * m.mm, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  PaintCurve(painter, plot, graph);
  painter.restore();
}

}  // namespace kv
