// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/profile_plot.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <span>

#include "certificate/qt/certificate_graph.h"

namespace kv {
namespace {

constexpr double kFewestShown = 10;  // values across the plot at the deepest zoom

GraphMetrics Metrics(const QWidget& widget) {
  QFont titleFont = widget.font();
  titleFont.setBold(true);
  return {widget.logicalDpiX() / 25.4, widget.font(), titleFont};
}

}  // namespace

ProfilePlot::ProfilePlot() {
  setMouseTracking(true);
  setMinimumSize(480, 280);
}

void ProfilePlot::SetCurve(PlotCurve curve) {
  curve_ = std::move(curve);
  ShowAll();
}

void ProfilePlot::ShowAll() {
  Show(0, curve_.values.empty() ? 0 : static_cast<double>(curve_.values.size() - 1));
}

void ProfilePlot::Show(double first, double last) {
  const double end = curve_.values.empty() ? 0 : static_cast<double>(curve_.values.size() - 1);
  const double span = std::min(std::max(last - first, kFewestShown), end);
  from_ = std::clamp(first, 0.0, end - span);
  to_ = from_ + span;
  update();
}

QRectF ProfilePlot::PlotArea() const {
  Graph frame{curve_.title, {0, 1, curve_.xTitle, true}, {0, 1, curve_.yTitle, true}, {}};
  return GraphPlotArea(QRectF(rect()), frame, Metrics(*this), this);
}

double ProfilePlot::IndexAt(double x) const {
  const QRectF plot = PlotArea();
  const double along = plot.width() > 0 ? (x - plot.left()) / plot.width() : 0;
  return double(first()) + along * double(last() - first());  // as drawn
}

void ProfilePlot::ZoomAt(double x, double factor) {
  const double at = std::clamp(IndexAt(x), from_, to_);
  Show(at - (at - from_) * factor, at + (to_ - at) * factor);
}

void ProfilePlot::PanBy(double pixels) {
  const double width = std::max(PlotArea().width(), 1.0);
  const double shift = -pixels / width * (to_ - from_);
  Show(from_ + shift, to_ + shift);
}

QString ProfilePlot::PositionAt(double x) const {
  const double index = std::round(IndexAt(x));
  if (curve_.values.empty() || index < double(first()) || index > double(last())) return {};
  const auto i = static_cast<std::size_t>(index);
  const double along = curve_.firstX + index * curve_.stepX;
  return QStringLiteral("x = %1 %2   z = %3 %4")
      .arg(along, 0, 'g', 6)
      .arg(curve_.xUnit)
      .arg(curve_.values[i], 0, 'g', 6)
      .arg(curve_.yUnit);
}

void ProfilePlot::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (curve_.values.empty()) return;
  std::span<const double> shown(curve_.values.data() + first(), last() - first() + 1);
  const GraphAxis x{curve_.firstX + double(first()) * curve_.stepX,
                    curve_.firstX + double(last()) * curve_.stepX, curve_.xTitle, true};
  PaintGraph(painter, QRectF(rect()),
             Graph{curve_.title, x, ValueRange({shown}, curve_.yTitle), shown}, Metrics(*this));
}

void ProfilePlot::wheelEvent(QWheelEvent* event) {
  const int steps = event->angleDelta().y() / 120;
  if (steps != 0) ZoomAt(event->position().x(), std::pow(0.8, steps));
  event->accept();
}

void ProfilePlot::mousePressEvent(QMouseEvent* event) {
  dragFrom_ = event->position().x();
}

void ProfilePlot::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() & Qt::LeftButton) {
    PanBy(event->position().x() - dragFrom_);
    dragFrom_ = event->position().x();
  }
  if (onPosition) onPosition(PositionAt(event->position().x()));
}

void ProfilePlot::mouseDoubleClickEvent(QMouseEvent*) {
  ShowAll();
}

}  // namespace kv
