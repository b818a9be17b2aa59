// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/profile_filter.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace kvsim {

std::vector<double> Levelled(std::span<const double> profile) {
  const auto n = static_cast<double>(profile.size());
  double sumX = 0, sumZ = 0, sumXX = 0, sumXZ = 0;
  for (std::size_t i = 0; i < profile.size(); ++i) {
    const auto x = static_cast<double>(i);
    sumX += x;
    sumZ += profile[i];
    sumXX += x * x;
    sumXZ += x * profile[i];
  }
  const double denominator = n * sumXX - sumX * sumX;
  const double slope = denominator == 0 ? 0 : (n * sumXZ - sumX * sumZ) / denominator;
  const double intercept = n == 0 ? 0 : (sumZ - slope * sumX) / n;
  std::vector<double> levelled(profile.size());
  for (std::size_t i = 0; i < profile.size(); ++i) {
    levelled[i] = profile[i] - intercept - slope * static_cast<double>(i);
  }
  return levelled;
}

std::vector<double> GaussianMeanLine(std::span<const double> profile, double cutoff) {
  const double alpha = std::sqrt(std::log(2.0) / std::numbers::pi);
  const auto reach =
      std::min(static_cast<std::size_t>(std::ceil(cutoff)), profile.size());  // points each side
  std::vector<double> weights(reach + 1);
  for (std::size_t k = 0; k <= reach; ++k) {
    const double x = static_cast<double>(k) / (alpha * cutoff);
    weights[k] = std::exp(-std::numbers::pi * x * x);
  }
  // cumulative[k]: the weights of offsets 1 to k, for the scaling near the ends.
  std::vector<double> cumulative(reach + 1, 0.0);
  for (std::size_t k = 1; k <= reach; ++k) cumulative[k] = cumulative[k - 1] + weights[k];
  std::vector<double> mean(profile.size());
  for (std::size_t i = 0; i < profile.size(); ++i) {
    const std::size_t left = std::min(reach, i);
    const std::size_t right = std::min(reach, profile.size() - 1 - i);
    // Plain pointers keep the inner loops quick in unoptimised builds too.
    const double* w = weights.data();
    const double* z = profile.data() + i;
    double sum = w[0] * z[0];
    for (std::size_t k = 1; k <= left; ++k) sum += w[k] * *(z - k);
    for (std::size_t k = 1; k <= right; ++k) sum += w[k] * z[k];
    mean[i] = sum / (weights[0] + cumulative[left] + cumulative[right]);
  }
  return mean;
}

}  // namespace kvsim
