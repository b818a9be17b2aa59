// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "ui/profile_plot.h"

namespace kv {

// The curves of the result files in `workFolder` that can be shown: the
// measured profile, the roughness profile, the bearing area curve and the
// amplitude distribution curve, each only when its file is there; lengths
// and heights in the measurement's units.
std::vector<PlotCurve> LoadViewerCurves(const FileSystem& files, std::string_view workFolder);

}  // namespace kv
