// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/material_ratio.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <functional>

namespace kvsim {

std::vector<double> MaterialRatioCurve(std::span<const double> z) {
  std::vector<double> curve(z.begin(), z.end());
  std::sort(curve.begin(), curve.end(), std::greater<>());
  return curve;
}

double HeightAtRatio(std::span<const double> curve, double ratio) {
  if (curve.empty()) return 0;
  const double at = std::clamp(ratio, 0.0, 1.0) * static_cast<double>(curve.size() - 1);
  const auto below = static_cast<std::size_t>(std::floor(at));
  if (below + 1 >= curve.size()) return curve.back();
  const double part = at - static_cast<double>(below);
  return curve[below] + part * (curve[below + 1] - curve[below]);
}

double RatioAtLevel(std::span<const double> z, double level) {
  if (z.empty()) return 0;
  const auto count = std::count_if(z.begin(), z.end(), [level](double v) { return v >= level; });
  return static_cast<double>(count) / static_cast<double>(z.size());
}

}  // namespace kvsim
