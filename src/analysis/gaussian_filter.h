// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace kv {

// The Gaussian filter of ISO 16610-21 as a low-pass: its weighting function
// s(x) = exp(-pi (x / (alpha lc))^2) / (alpha lc), alpha = sqrt(ln 2 / pi),
// sampled at the pitch, cut at +-lc and scaled to a sum of 1. With `lc` the
// cut-off in points, the result is the mean line at points [first, last) of
// `profile`. Near the profile's ends the kernel is cut at the end and scaled
// again.
std::vector<double> GaussianLowPass(std::span<const double> profile, double cutoffPoints,
                                    std::size_t first, std::size_t last);

}  // namespace kv
