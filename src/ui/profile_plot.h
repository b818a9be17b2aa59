// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>
#include <cmath>
#include <cstddef>
#include <functional>
#include <vector>

namespace kv {

// A curve of values at even steps along x.
struct PlotCurve {
  QString title;
  QString xTitle;
  QString yTitle;
  QString xUnit;
  QString yUnit;
  std::vector<double> values;
  double firstX = 0;
  double stepX = 1;
};

// Shows one curve. The wheel zooms in and out around the pointer, a drag
// pans, a double click shows the whole curve again; every column of screen
// pixels shows its lowest and highest value, so no peak is lost.
class ProfilePlot : public QWidget {
 public:
  ProfilePlot();

  void SetCurve(PlotCurve curve);
  const PlotCurve& curve() const { return curve_; }

  // The shown values: [first, last], indices into the curve.
  std::size_t first() const { return static_cast<std::size_t>(std::lround(from_)); }
  std::size_t last() const { return static_cast<std::size_t>(std::lround(to_)); }

  // Zooms by `factor` (below 1: in) keeping the value under `x` in place.
  void ZoomAt(double x, double factor);
  // Moves the shown part by `pixels` of the plot's width.
  void PanBy(double pixels);
  void ShowAll();

  // "x = … mm   z = … µm" for the value under `x`, or empty outside the plot.
  QString PositionAt(double x) const;
  // Called with PositionAt() as the pointer moves.
  std::function<void(const QString&)> onPosition;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QRectF PlotArea() const;
  double IndexAt(double x) const;  // fractional, may lie outside the shown part
  void Show(double first, double last);

  PlotCurve curve_;
  double from_ = 0;  // the shown part, in fractional indices, so slow drags add up
  double to_ = 0;
  double dragFrom_ = 0;
};

}  // namespace kv
