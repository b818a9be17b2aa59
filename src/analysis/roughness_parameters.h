// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/roughness_profile.h"

namespace kv {

// The ISO 4287 parameters of a roughness profile. Heights in micrometres,
// RSm in micrometres, RDq without unit, Rmr in per cent. Rt and Rmr cover the
// evaluation length; the others are means over its sampling lengths.
struct RoughnessParameters {
  double ra = 0;
  double rq = 0;
  double rz = 0;
  double rp = 0;
  double rv = 0;
  double rt = 0;
  double rc = 0;
  double rsk = 0;
  double rku = 0;
  double rsm = 0;
  double rdq = 0;
  double rmr = 0;
  double rmrStep = 0;  // the share of one point in Rmr, per cent
};

RoughnessParameters ComputeParameters(const RoughnessProfile& profile);

}  // namespace kv
