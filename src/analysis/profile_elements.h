// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>

namespace kv {

// The profile elements of one sampling length (a peak and the valley after
// it, from one upward crossing of the mean line to the next) and their means: Rc is the
// mean height, RSm the mean width.
struct ProfileElements {
  double meanHeight = 0;
  double meanWidth = 0;  // in points
  int count = 0;
};

// A peak or valley lower than `minHeight` or narrower than `minWidth`
// points counts as part of the one before it. The parts cut by the ends
// of `heights` belong to no element.
ProfileElements ElementsOf(std::span<const double> heights, double minHeight, double minWidth);

}  // namespace kv
