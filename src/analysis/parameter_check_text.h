// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "analysis/parameter_check.h"

namespace kv {

// The check as a table of lines, each ended by a line feed: a heading, one
// row per parameter (name, controller's value and unit, computed value,
// difference, "DIFFERS" where they disagree), and a last line that sums up.
std::string ParameterCheckText(const ParameterCheck& check);

}  // namespace kv
