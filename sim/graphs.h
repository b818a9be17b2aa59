// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace kvsim {

// The result graphs by their type number in 0x7005.
enum GraphType : std::size_t { kAdc = 0, kBac = 1, kPow = 2, kGraphTypes = 3 };

// Amplitude distribution curve: `bins` classes of equal height from the
// lowest to the highest point; each value is the share of the points in its
// class, in % (they add up to 100).
std::vector<double> AmplitudeDistribution(std::span<const double> z, std::size_t bins);

// Bearing area curve: `count` heights in um at the material ratios 0 % to
// 100 % in equal steps (the first is the highest peak, the last the deepest
// valley).
std::vector<double> BearingAreaCurve(std::span<const double> z, std::size_t count);

// Power spectrum: for k = 1 to `count` (at most half the points), the power
// in um^2 of the component with k periods over the profile: half the square
// of its amplitude, so a sine of amplitude a gives a^2 / 2 at its k.
std::vector<double> PowerSpectrum(std::span<const double> z, std::size_t count);

}  // namespace kvsim
