// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/profile_synthesis.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace kvsim {
namespace {

// Draws from raw engine output only: the standard distributions may give
// other numbers with another standard library.
class Random {
 public:
  explicit Random(std::uint64_t seed) : engine_(seed) {}

  // [low, high) from the top 53 bits of one draw.
  double Uniform(double low = 0, double high = 1) {
    return low + (high - low) * static_cast<double>(engine_() >> 11) * 0x1.0p-53;
  }

  // Standard normal by the Box-Muller transform.
  double Normal() {
    const double radius = std::sqrt(-2 * std::log(1 - Uniform()));  // 1 - u lies in (0, 1]
    return radius * std::cos(2 * std::numbers::pi * Uniform());
  }

 private:
  std::mt19937_64 engine_;
};

// Widest noise smoothing in points: beyond it the noise is waviness, not roughness.
constexpr double kMaxSmoothing = 50;

// White noise smoothed by a Gaussian of `sigma` points, scaled to an rms of 1.
std::vector<double> SmoothedNoise(Random& random, std::size_t points, double sigma) {
  const auto half = static_cast<std::size_t>(std::ceil(3 * sigma));
  std::vector<double> white(points + 2 * half);  // drawn past both ends: no edge effect
  for (double& value : white) value = random.Normal();
  std::vector<double> weights(2 * half + 1);
  for (std::size_t k = 0; k < weights.size(); ++k) {
    const double offset = static_cast<double>(k) - static_cast<double>(half);
    weights[k] = std::exp(-offset * offset / (2 * sigma * sigma));
  }
  std::vector<double> noise(points);
  double squares = 0;
  for (std::size_t i = 0; i < points; ++i) {
    for (std::size_t k = 0; k < weights.size(); ++k) noise[i] += weights[k] * white[i + k];
    squares += noise[i] * noise[i];
  }
  const double rms = std::sqrt(squares / static_cast<double>(points));
  for (double& value : noise) value /= rms;
  return noise;
}

struct Wave {
  double length;  // mm
  double amplitude;
  double phase;
};

Wave RandomWave(Random& random, double length, double amplitude) {
  return {length * random.Uniform(0.85, 1.15), amplitude * random.Uniform(0.8, 1.2),
          2 * std::numbers::pi * random.Uniform()};
}

}  // namespace

std::vector<double> SynthesizeProfile(std::uint64_t seed, std::size_t points, double pitch,
                                      double cutoff) {
  Random random(seed);
  const double scale = cutoff / 0.8;
  const double slope = random.Uniform(-2, 2);  // um per mm
  const double offset = random.Uniform(-3, 3) * scale;
  const Wave waves[] = {
      RandomWave(random, 1.25 * cutoff, 1.2 * scale), RandomWave(random, 1.7 * cutoff, 0.8 * scale),
      RandomWave(random, 3.1 * cutoff, 0.5 * scale),
      RandomWave(random, cutoff / 8, 0.9 * scale),  // feed marks
  };
  const double sigma = std::clamp(cutoff / 100 / pitch, 1.0, kMaxSmoothing);
  const std::vector<double> noise = SmoothedNoise(random, points, sigma);

  std::vector<double> profile(points);
  for (std::size_t i = 0; i < points; ++i) {
    const double x = static_cast<double>(i) * pitch;
    double z = offset + slope * x + 0.8 * scale * noise[i];
    for (const Wave& wave : waves) {
      z += wave.amplitude * std::sin(2 * std::numbers::pi * x / wave.length + wave.phase);
    }
    profile[i] = z;
  }
  return profile;
}

}  // namespace kvsim
