// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kvsim {

// A traced profile as the instrument would record it, in micrometres, one
// value every `pitch` mm: a form tilt, three waviness sines longer than the
// cut-off, and roughness (feed marks plus smoothed noise) sized to the cut-off
// the way an operator picks the cut-off for the roughness (Ra near 0.8 um at
// 0.8 mm). The same seed gives the same values on every machine.
std::vector<double> SynthesizeProfile(std::uint64_t seed, std::size_t points, double pitch,
                                      double cutoff);

}  // namespace kvsim
