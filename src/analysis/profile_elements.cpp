// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/profile_elements.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace kv {
namespace {

// A profile peak (above the mean line) or valley, from crossing to crossing,
// positions in points; `cut` when an end of the sampling length cuts it.
struct Part {
  bool peak = false;
  double start = 0;
  double end = 0;
  double height = 0;  // of the peak, or depth of the valley
  bool cut = false;
};

std::vector<Part> PartsOf(std::span<const double> heights) {
  std::vector<Part> parts{{.peak = heights[0] >= 0, .cut = true}};
  for (std::size_t i = 0; i < heights.size(); ++i) {
    parts.back().height = std::max(parts.back().height, std::abs(heights[i]));
    if (i + 1 < heights.size() && (heights[i] >= 0) != (heights[i + 1] >= 0)) {
      const double crossing = static_cast<double>(i) + heights[i] / (heights[i] - heights[i + 1]);
      parts.back().end = crossing;
      parts.push_back({.peak = heights[i + 1] >= 0, .start = crossing});
    }
  }
  parts.back().end = static_cast<double>(heights.size() - 1);
  parts.back().cut = true;
  return parts;
}

bool Small(const Part& part, double minHeight, double minWidth) {
  return !part.cut && (part.height < minHeight || part.end - part.start < minWidth);
}

// A peak or valley that fails the discrimination counts as part of the one
// before it: in the order traced, it and the part after it join the part
// before, and the joined part is judged again once the next part follows.
// The first and last parts, cut by the ends, are never judged.
std::vector<Part> MergeInsignificant(const std::vector<Part>& parts, double minHeight,
                                     double minWidth) {
  std::vector<Part> kept;
  for (const Part& part : parts) {
    kept.push_back(part);
    const std::size_t n = kept.size();
    if (n < 3 || !Small(kept[n - 2], minHeight, minWidth)) continue;
    Part& before = kept[n - 3];
    before.end = part.end;
    before.height = std::max(before.height, part.height);
    before.cut = before.cut || part.cut;
    kept.resize(n - 2);
  }
  return kept;
}

}  // namespace

ProfileElements ElementsOf(std::span<const double> heights, double minHeight, double minWidth) {
  if (heights.size() < 2) return {};
  std::vector<Part> parts = MergeInsignificant(PartsOf(heights), minHeight, minWidth);
  std::erase_if(parts, [](const Part& part) { return part.cut; });
  ProfileElements elements;
  double height = 0;
  double width = 0;
  // An element is a peak and the valley after it, in the direction traced.
  for (std::size_t i = !parts.empty() && parts[0].peak ? 0 : 1; i + 1 < parts.size(); i += 2) {
    height += parts[i].height + parts[i + 1].height;
    width += parts[i + 1].end - parts[i].start;
    ++elements.count;
  }
  if (elements.count > 0) {
    elements.meanHeight = height / elements.count;
    elements.meanWidth = width / elements.count;
  }
  return elements;
}

}  // namespace kv
