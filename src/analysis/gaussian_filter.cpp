// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/gaussian_filter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace kv {
namespace {

const double kAlpha = std::sqrt(std::numbers::ln2 / std::numbers::pi);
// The kernel reaches one cut-off each side, where the weighting function is
// below 1e-6 of its peak. Cut at half a cut-off, the lost tails (0.8 % of the
// weight) shift the transmission enough to change Ra by some 0.5 %.
constexpr double kTruncation = 1.0;
// The low-pass passes less than 1e-5 of a wavelength of a quarter cut-off,
// so 64 exact points a cut-off and cubic interpolation between them keep the
// result within about 1e-6 of the profile's amplitude at a fraction of the cost
// of filtering every point.
constexpr double kNodesPerCutoff = 64;

// The weights at 0, 1, ... h points from the centre, summing to 1 over -h..h.
std::vector<double> HalfKernel(double cutoffPoints) {
  const auto h = static_cast<std::size_t>(kTruncation * cutoffPoints);
  std::vector<double> weights(h + 1);
  double sum = 0;
  for (std::size_t k = 0; k <= h; ++k) {
    const double x = static_cast<double>(k) / (kAlpha * cutoffPoints);
    weights[k] = std::exp(-std::numbers::pi * x * x);
    sum += k == 0 ? weights[k] : 2 * weights[k];
  }
  for (double& weight : weights) weight /= sum;
  return weights;
}

// With the whole kernel: symmetric weights summing to 1, four sums at a time
// so that the additions need not wait for each other.
double FilteredWhole(std::span<const double> profile, const std::vector<double>& half,
                     std::size_t i) {
  const std::size_t h = half.size() - 1;
  std::array<double, 4> sums{half[0] * profile[i], 0, 0, 0};
  std::size_t k = 1;
  for (; k + 3 <= h; k += 4) {
    for (std::size_t j = 0; j < 4; ++j) {
      sums[j] += half[k + j] * (profile[i - k - j] + profile[i + k + j]);
    }
  }
  for (; k <= h; ++k) sums[0] += half[k] * (profile[i - k] + profile[i + k]);
  return (sums[0] + sums[1]) + (sums[2] + sums[3]);
}

// Near an end of the profile only the weights over existing points count,
// scaled again to a sum of 1. Measured against the whole kernel on longer
// traces, this stays closer than a kernel cut to the same reach on both sides.
double FilteredAt(std::span<const double> profile, const std::vector<double>& half, std::size_t i) {
  const std::size_t h = half.size() - 1;
  if (i >= h && i + h < profile.size()) return FilteredWhole(profile, half, i);
  const std::size_t left = std::min(h, i);
  const std::size_t right = std::min(h, profile.size() - 1 - i);
  double sum = half[0] * profile[i];
  double weight = half[0];
  for (std::size_t k = 1; k <= left; ++k) {
    sum += half[k] * profile[i - k];
    weight += half[k];
  }
  for (std::size_t k = 1; k <= right; ++k) {
    sum += half[k] * profile[i + k];
    weight += half[k];
  }
  return sum / weight;
}

// The cubic through four values at 0, 1, 2 and 3, at t.
double Cubic(const double* v, double t) {
  const double a = t - 1;
  const double b = t - 2;
  const double c = t - 3;
  return (-v[0] * a * b * c + 3 * v[1] * t * b * c - 3 * v[2] * t * a * c + v[3] * t * a * b) / 6;
}

}  // namespace

std::vector<double> GaussianLowPass(std::span<const double> profile, double cutoffPoints,
                                    std::size_t first, std::size_t last) {
  const std::vector<double> half = HalfKernel(cutoffPoints);
  const auto stride =
      std::max<std::size_t>(1, static_cast<std::size_t>(cutoffPoints / kNodesPerCutoff));
  std::vector<double> nodes;
  for (std::size_t p = first; p < profile.size() && p < last + stride; p += stride) {
    nodes.push_back(FilteredAt(profile, half, p));
  }
  std::vector<double> filtered(last - first);
  for (std::size_t i = first; i < last; ++i) {
    const std::size_t node = (i - first) / stride;
    if (stride == 1 || nodes.size() < 4 || node + 1 >= nodes.size()) {
      filtered[i - first] = FilteredAt(profile, half, i);
      continue;
    }
    const std::size_t from = std::min(node > 0 ? node - 1 : 0, nodes.size() - 4);
    const double t =
        static_cast<double>(i - first) / static_cast<double>(stride) - static_cast<double>(from);
    filtered[i - first] = Cubic(&nodes[from], t);
  }
  return filtered;
}

}  // namespace kv
