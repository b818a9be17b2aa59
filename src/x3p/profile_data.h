// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace kv {

enum class ProfileKind {
  kMeasured,    // the traced profile ("Measured.csv")
  kEvaluation,  // the roughness profile ("Evaluation.csv")
};

// One profile in SI units, as an export writes it.
struct ProfileData {
  ProfileKind kind = ProfileKind::kMeasured;
  std::vector<double> heights;                  // metres, one point every `pitch`
  double pitch = 0;                             // metres between two points
  std::chrono::system_clock::time_point taken;  // when the profile was read
  std::string controllerVersion;                // as the controller reports it; empty when unknown
};

}  // namespace kv
