// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/profile_parameters.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "sim/material_ratio.h"
#include "sim/profile_elements.h"

namespace kvsim {
namespace {

constexpr double kMinHeightShare = 0.10;  // of the maximum height of the sampling length
constexpr double kMinWidthShare = 0.01;   // of the sampling length
constexpr double kMaterialDepth = 0.25;   // of the total height, below the highest peak
constexpr double kUpperRatio = 0.25;
constexpr double kLowerRatio = 0.75;
constexpr std::size_t kSlopeReach = 3;  // points each side of the seven-point slope

// The parameters of one sampling length; widths in points.
struct Sampling {
  double a = 0, q = 0, sk = 0, ku = 0, p = 0, v = 0, z = 0, deltaQ = 0;
  double c = 0, sm = 0;
  bool hasElements = false;
};

// dz/dx of point i by the seven-point formula, x in um.
double Slope(std::span<const double> z, std::size_t i, double pitchUm) {
  return (z[i + 3] - 9 * z[i + 2] + 45 * z[i + 1] - 45 * z[i - 1] + 9 * z[i - 2] - z[i - 3]) /
         (60 * pitchUm);
}

Sampling MeasureSampling(std::span<const double> all, std::size_t begin, std::size_t end,
                         double pitchUm) {
  const std::span<const double> z = all.subspan(begin, end - begin);
  Sampling s;
  if (z.empty()) return s;
  double squares = 0, cubes = 0, fourths = 0;
  for (const double value : z) {
    s.a += std::abs(value);
    squares += value * value;
    cubes += value * value * value;
    fourths += value * value * value * value;
  }
  const auto n = static_cast<double>(z.size());
  s.a /= n;
  s.q = std::sqrt(squares / n);
  if (s.q > 0) {
    s.sk = cubes / n / (s.q * s.q * s.q);
    s.ku = fourths / n / (s.q * s.q * s.q * s.q);
  }
  const auto [lowest, highest] = std::minmax_element(z.begin(), z.end());
  s.p = *highest;
  s.v = -*lowest;
  s.z = s.p + s.v;

  // The slope needs three neighbours each side, which may lie in the next
  // sampling length but not beyond the evaluation length.
  double slopeSquares = 0;
  std::size_t slopes = 0;
  for (std::size_t i = std::max(begin, kSlopeReach); i < end && i + kSlopeReach < all.size(); ++i) {
    const double slope = Slope(all, i, pitchUm);
    slopeSquares += slope * slope;
    ++slopes;
  }
  if (slopes > 0) s.deltaQ = std::sqrt(slopeSquares / static_cast<double>(slopes));

  const std::vector<ProfileElement> elements =
      ProfileElements(z, kMinHeightShare * s.z, kMinWidthShare * n);
  s.hasElements = !elements.empty();
  for (const ProfileElement& element : elements) {
    s.c += element.height / static_cast<double>(elements.size());
    s.sm += element.width / static_cast<double>(elements.size());
  }
  return s;
}

}  // namespace

ProfileParameters ComputeParameters(std::span<const double> z, double pitch,
                                    std::size_t samplingCount) {
  ProfileParameters result;
  if (z.empty() || samplingCount == 0) return result;
  const double pitchUm = pitch * 1000;
  const auto count = static_cast<double>(samplingCount);
  std::size_t withElements = 0;
  for (std::size_t i = 0; i < samplingCount; ++i) {
    const Sampling s = MeasureSampling(z, i * z.size() / samplingCount,
                                       (i + 1) * z.size() / samplingCount, pitchUm);
    result.a += s.a / count;
    result.q += s.q / count;
    result.sk += s.sk / count;
    result.ku += s.ku / count;
    result.p += s.p / count;
    result.v += s.v / count;
    result.z += s.z / count;
    result.deltaQ += s.deltaQ / count;
    result.zMax = std::max(result.zMax, s.z);
    // Spacing and element height exist only where elements were found.
    if (s.hasElements) {
      result.c += s.c;
      result.sm += s.sm;
      ++withElements;
    }
  }
  if (withElements > 0) {
    result.c /= static_cast<double>(withElements);
    result.sm = result.sm / static_cast<double>(withElements) * pitch;
    result.pc = 10 / result.sm;
  }
  if (result.deltaQ > 0) result.lambdaQ = 2 * std::numbers::pi * result.q / result.deltaQ;

  const auto [lowest, highest] = std::minmax_element(z.begin(), z.end());
  result.t = *highest - *lowest;
  result.mr = 100 * RatioAtLevel(z, *highest - kMaterialDepth * result.t);
  const std::vector<double> curve = MaterialRatioCurve(z);
  result.deltaC = HeightAtRatio(curve, kUpperRatio) - HeightAtRatio(curve, kLowerRatio);
  return result;
}

}  // namespace kvsim
