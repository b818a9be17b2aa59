// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QRectF>
#include <QString>
#include <initializer_list>
#include <span>
#include <vector>

class QPaintDevice;
class QPainter;

namespace kv {

// A value and where it lies along its axis, 0 at the first value, 1 at the last.
struct CurvePoint {
  double along;
  double value;
};

// The values to draw across `columns` device-pixel columns. With fewer than
// two values per column every value is kept; otherwise each column keeps its
// minimum and maximum in the order they occur, so no spike is lost.
std::vector<CurvePoint> DecimateMinMax(std::span<const double> values, int columns);

struct GraphAxis {
  double min = 0;
  double max = 1;
  QString title;
  bool scale = true;  // false: no scale numbers, the axis is shared with the graph beside
};

// A graph: a curve of values at even steps. Normally value i is plotted
// upwards at x running from x.min (first) to x.max (last); `valuesAcross`
// plots value i to the right at y running from y.max (first) down to y.min.
struct Graph {
  QString title;
  GraphAxis x;
  GraphAxis y;
  std::span<const double> values;
  bool valuesAcross = false;
};

// Lengths of a graph's frame in painter units, so that graphs placed side by
// side line up their plot areas.
struct GraphMetrics {
  double mm;        // painter units per millimetre
  QFont font;       // scale numbers
  QFont titleFont;  // graph and axis titles
};

// Where PaintGraph puts the plot box inside `frame` on `device`.
QRectF GraphPlotArea(const QRectF& frame, const Graph& graph, const GraphMetrics& metrics,
                     const QPaintDevice* device);

// Draws the graph into `frame`: title, plot box, ticks, scale numbers, axis
// titles and the curve, decimated to the device's resolution.
void PaintGraph(QPainter& painter, const QRectF& frame, const Graph& graph,
                const GraphMetrics& metrics);

// The smallest and largest value of the curves, widened a little so that no
// curve touches the box; flat curves get a range around their level.
GraphAxis ValueRange(std::initializer_list<std::span<const double>> curves, QString title);

}  // namespace kv
