// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <vector>

namespace kvsim {

// The heights sorted from the highest down: height i is reached by a share
// i / (n - 1) of the profile, the material ratio curve as a list.
std::vector<double> MaterialRatioCurve(std::span<const double> z);

// The height at material ratio `ratio` (0 to 1) of a curve from
// MaterialRatioCurve, interpolated between points.
double HeightAtRatio(std::span<const double> curve, double ratio);

// The share (0 to 1) of the points at or above `level`.
double RatioAtLevel(std::span<const double> z, double level);

}  // namespace kvsim
