// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/graphs.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sim/material_ratio.h"

namespace kvsim {

std::vector<double> AmplitudeDistribution(std::span<const double> z, std::size_t bins) {
  std::vector<double> shares(bins, 0.0);
  if (bins == 0 || z.empty()) return shares;
  const auto [lowest, highest] = std::minmax_element(z.begin(), z.end());
  const double range = *highest - *lowest;
  std::vector<std::size_t> counts(bins, 0);
  for (const double value : z) {
    // A flat profile has all its points in the middle class.
    const auto bin =
        range > 0 ? static_cast<std::size_t>((value - *lowest) / range * static_cast<double>(bins))
                  : bins / 2;
    ++counts[std::min(bin, bins - 1)];
  }
  for (std::size_t i = 0; i < bins; ++i) {
    shares[i] = static_cast<double>(counts[i]) * 100 / static_cast<double>(z.size());
  }
  return shares;
}

std::vector<double> BearingAreaCurve(std::span<const double> z, std::size_t count) {
  const std::vector<double> curve = MaterialRatioCurve(z);
  std::vector<double> heights(count);
  const auto steps = static_cast<double>(std::max<std::size_t>(count, 2) - 1);
  for (std::size_t i = 0; i < count; ++i) {
    heights[i] = HeightAtRatio(curve, static_cast<double>(i) / steps);
  }
  return heights;
}

std::vector<double> PowerSpectrum(std::span<const double> z, std::size_t count) {
  const std::size_t n = z.size();
  count = std::min(count, n / 2);
  // One table of the unit circle in n steps serves every k, without drift.
  std::vector<double> cosines(n), sines(n);
  for (std::size_t m = 0; m < n; ++m) {
    const double angle = 2 * std::numbers::pi * static_cast<double>(m) / static_cast<double>(n);
    cosines[m] = std::cos(angle);
    sines[m] = std::sin(angle);
  }
  std::vector<double> power(count);
  for (std::size_t k = 1; k <= count; ++k) {
    double real = 0, imaginary = 0;
    // Plain pointers keep the loop quick in unoptimised builds too.
    const double* values = z.data();
    const double* cosine = cosines.data();
    const double* sine = sines.data();
    std::size_t m = 0;  // k * j modulo n
    for (std::size_t j = 0; j < n; ++j) {
      real += values[j] * cosine[m];
      imaginary -= values[j] * sine[m];
      m += k;
      if (m >= n) m -= n;
    }
    power[k - 1] = 2 * (real * real + imaginary * imaginary) / static_cast<double>(n * n);
  }
  return power;
}

}  // namespace kvsim
