// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/material_ratio.h"

#include <algorithm>

namespace kv {

double MaterialRatio(std::span<const double> heights, double level) {
  if (heights.empty()) return 0;
  const auto material =
      std::count_if(heights.begin(), heights.end(), [level](double z) { return z >= level; });
  return 100 * static_cast<double>(material) / static_cast<double>(heights.size());
}

}  // namespace kv
