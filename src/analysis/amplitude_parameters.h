// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <span>

namespace kv {

// The amplitude parameters of one sampling length of a roughness profile
// (heights above the mean line): Ra, Rq, Rp, Rv in the heights' unit, Rsk
// and Rku without one.
struct Amplitudes {
  double ra = 0;
  double rq = 0;
  double rp = 0;
  double rv = 0;
  double rsk = 0;
  double rku = 0;
};
Amplitudes AmplitudesOf(std::span<const double> heights);

// The root mean square slope (RDq) at points [first, last) of `heights`,
// each slope by the seven-point derivative; points with fewer than three
// neighbours on a side within `heights` are left out.
double RmsSlope(std::span<const double> heights, std::size_t first, std::size_t last, double pitch);

}  // namespace kv
