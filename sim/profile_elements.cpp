// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/profile_elements.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace kvsim {
namespace {

// A stretch of the profile on one side of the mean line; the ends are the
// crossings, interpolated between points.
struct Part {
  bool peak;
  double start;
  double end;
  double extreme;  // highest point of a peak, deepest of a valley (as a positive number)
};

std::vector<Part> Parts(std::span<const double> z) {
  std::vector<Part> parts;
  Part current{z[0] >= 0, 0, 0, std::abs(z[0])};
  for (std::size_t i = 1; i < z.size(); ++i) {
    if ((z[i] >= 0) != current.peak) {
      const double crossing = static_cast<double>(i - 1) + z[i - 1] / (z[i - 1] - z[i]);
      current.end = crossing;
      parts.push_back(current);
      current = {z[i] >= 0, crossing, crossing, 0};
    }
    current.extreme = std::max(current.extreme, std::abs(z[i]));
  }
  current.end = static_cast<double>(z.size() - 1);
  parts.push_back(current);
  return parts;
}

}  // namespace

std::vector<ProfileElement> ProfileElements(std::span<const double> z, double minHeight,
                                            double minWidth) {
  if (z.empty()) return {};
  const auto small = [&](const Part& part) {
    return part.extreme < minHeight || part.end - part.start < minWidth;
  };
  // Each part is judged once it has both neighbours; the first and the last
  // are cut by the ends of the sampling length and never judged.
  std::vector<Part> kept;
  for (const Part& part : Parts(z)) {
    kept.push_back(part);
    const std::size_t n = kept.size();
    if (n >= 3 && small(kept[n - 2])) {
      Part joined = kept[n - 3];
      joined.end = kept[n - 1].end;
      joined.extreme = std::max(joined.extreme, kept[n - 1].extreme);
      kept.resize(n - 3);
      kept.push_back(joined);
    }
  }
  std::vector<ProfileElement> elements;
  for (std::size_t i = 1; i + 2 < kept.size(); ++i) {
    if (kept[i].peak) {
      elements.push_back({kept[i + 1].end - kept[i].start, kept[i].extreme + kept[i + 1].extreme});
    }
  }
  return elements;
}

}  // namespace kvsim
