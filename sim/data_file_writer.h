// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "sim/measurement.h"

namespace kvsim {

// How a data file is written. `inch` must match the unit the measurement's
// parameter texts were made in.
struct DataFileLayout {
  bool inch = false;
  bool crLf = false;  // CR LF line ends instead of LF
};

// The bytes of the data file the controller stores on its CF card for a
// measurement (one byte a character, the micro sign as byte 181):
//
//   // Ver.1.103 KV-730                first line
//   // A Condition                     then for set A and then set B:
//   Profile;R;                         keyed lines "key;value;unit;"
//   Lc;0.8;mm;                         (Lc/Lf, L, A/B by profile; N or L)
//   N;5;
//   Filter;GAUSS;
//   Standard;ISO 1997;
//   Ls;2.5;um;
//   // A CalcResult
//   Ra;0.8234;<micro sign>m;           name;value;unit; of each parameter
//   // A CalcData
//   4001                               point count
//   X(um);Y(um);                       column names
//   0.000;0.1234;                      x;y; of each point, both in um
//
// Lengths are in mm or in, lambda-s in um or uin, like the controller shows
// them; the points stay in micrometres in an inch file too. Each y is the
// shortest text that gives back the controller's value.
std::string DataFileBytes(const Measurement& measurement, const DataFileLayout& layout);

}  // namespace kvsim
