// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace kvsim {

// Either the profile or why the file cannot be one ("cannot be read",
// "line 3 ("1,5") is not a number", ...).
struct LoadedProfile {
  std::vector<double> values;
  std::string problem;
};

// A measured profile from a text file: one value in micrometres per line
// (blank lines and a CR before the line end are allowed), kMinPoints to
// kMaxPoints values.
LoadedProfile LoadProfile(const std::string& path);

}  // namespace kvsim
