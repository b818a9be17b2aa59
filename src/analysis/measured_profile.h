// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>
#include <vector>

#include "platform/status.h"

namespace kv {

// The values of "Measured.csv", one number a line in micrometres as the
// controller sent them ("1.2E-05" included). A line that is not a number
// refuses the file.
Result<std::vector<double>> ParseMeasuredProfile(std::string_view bytes);

}  // namespace kv
