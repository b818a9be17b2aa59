// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <vector>

#include "sim/conditions.h"
#include "sim/controller_config.h"
#include "sim/graphs.h"

namespace kvsim {

// What the controller reports about one evaluation set.
struct EvaluationSet {
  Conditions conditions;                                // 0x7001
  std::vector<std::string> parameterTexts;              // 0x7003 records
  std::vector<double> evaluation;                       // 0x7004 values, um
  std::array<std::vector<double>, kGraphTypes> graphs;  // 0x7005 values by graph type
};

// The last measurement. The traced profile is levelled (its least-squares
// line removed) and split by the Gaussian filter at the cut-off into the
// waviness W (the mean line) and the roughness R (the rest). The evaluation
// length is as many whole cut-offs as fit between half a cut-off of run-up
// and of run-over, in the middle of the trace. Set A evaluates R over it in
// sampling lengths of the cut-off; set B evaluates W, levelled once more over
// the evaluation length, as one sampling length.
struct Measurement {
  double pitch = 0;                   // mm between points
  std::vector<double> measured;       // as traced, um (0x2340)
  std::vector<double> roughness;      // R, um
  std::vector<double> waviness;       // W, um
  std::array<EvaluationSet, 2> sets;  // A = 0, B = 1
};

Measurement Measure(const Config& config);

}  // namespace kvsim
