// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/amplitude_parameters.h"

#include <algorithm>
#include <cmath>

namespace kv {

Amplitudes AmplitudesOf(std::span<const double> heights) {
  Amplitudes a;
  if (heights.empty()) return a;
  double absolute = 0;
  double square = 0;
  double cube = 0;
  double fourth = 0;
  for (double z : heights) {
    absolute += std::abs(z);
    square += z * z;
    cube += z * z * z;
    fourth += z * z * z * z;
  }
  const auto n = static_cast<double>(heights.size());
  a.ra = absolute / n;
  a.rq = std::sqrt(square / n);
  a.rp = std::max(0.0, *std::max_element(heights.begin(), heights.end()));
  a.rv = std::max(0.0, -*std::min_element(heights.begin(), heights.end()));
  if (a.rq > 0) {
    a.rsk = cube / n / (a.rq * a.rq * a.rq);
    a.rku = fourth / n / (a.rq * a.rq * a.rq * a.rq);
  }
  return a;
}

double RmsSlope(std::span<const double> heights, std::size_t first, std::size_t last,
                double pitch) {
  constexpr std::size_t kReach = 3;
  first = std::max(first, kReach);
  last = std::min(last, heights.size() > kReach ? heights.size() - kReach : 0);
  if (first >= last) return 0;
  double square = 0;
  for (std::size_t i = first; i < last; ++i) {
    const double slope = (heights[i + 3] - 9 * heights[i + 2] + 45 * heights[i + 1] -
                          45 * heights[i - 1] + 9 * heights[i - 2] - heights[i - 3]) /
                         (60 * pitch);
    square += slope * slope;
  }
  return std::sqrt(square / static_cast<double>(last - first));
}

}  // namespace kv
