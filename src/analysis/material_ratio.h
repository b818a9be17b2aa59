// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>

namespace kv {

// The material ratio (per cent) of a profile at a height: the share of its
// points at or above `level`, each point standing for one pitch of length.
double MaterialRatio(std::span<const double> heights, double level);

}  // namespace kv
