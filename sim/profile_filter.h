// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <vector>

namespace kvsim {

// The profile less its least-squares straight line: the form (tilt of the
// part) removed before any filter.
std::vector<double> Levelled(std::span<const double> profile);

// The mean line of the Gaussian profile filter (ISO 16610-21 weighting
// function) for a cut-off of `cutoff` points: a wave of the cut-off length
// keeps half its amplitude. The weights reach one cut-off to each side; near
// the ends only the weights over existing points count, scaled to sum 1.
std::vector<double> GaussianMeanLine(std::span<const double> profile, double cutoff);

}  // namespace kvsim
