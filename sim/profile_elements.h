// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <vector>

namespace kvsim {

// A profile element: a peak above the mean line and the valley after it.
struct ProfileElement {
  double width;   // points from one upward crossing of the mean line to the next
  double height;  // peak height plus valley depth
};

// The whole elements of one sampling length (the mean line is 0). A peak or
// valley lower than `minHeight` or narrower than `minWidth` points is no peak
// or valley of its own: it and its two neighbours become one part.
std::vector<ProfileElement> ProfileElements(std::span<const double> z, double minHeight,
                                            double minWidth);

}  // namespace kvsim
