// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <span>

namespace kvsim {

// The ISO 4287 parameters of one profile without the profile's letter: for
// the R profile `a` is Ra, for the W profile Wa. Heights in um.
struct ProfileParameters {
  double a = 0;        // arithmetic mean deviation
  double q = 0;        // root-mean-square deviation
  double sk = 0;       // skewness
  double ku = 0;       // kurtosis
  double p = 0;        // maximum peak height
  double v = 0;        // maximum valley depth
  double z = 0;        // maximum height
  double t = 0;        // total height, over the evaluation length
  double c = 0;        // mean height of the profile elements
  double zMax = 0;     // the largest maximum height of one sampling length
  double sm = 0;       // mean width of the profile elements, mm
  double deltaQ = 0;   // root-mean-square slope
  double lambdaQ = 0;  // root-mean-square wavelength, um: 2 pi q / deltaQ
  double mr = 0;       // material ratio in %, at 25 % of t below the highest peak
  double deltaC = 0;   // section height difference between the material ratios 25 % and 75 %
  double pc = 0;       // peak count: profile elements per 10 mm
};

// `z` is the evaluation length in um (mean line 0), one value every `pitch`
// mm, cut into `samplingCount` sampling lengths of nearly equal point counts.
// Parameters of a sampling length are given as the mean over all of them;
// peaks and valleys below 10 % of its maximum height or narrower than 1 % of
// it are not taken as elements of their own.
ProfileParameters ComputeParameters(std::span<const double> z, double pitch,
                                    std::size_t samplingCount);

}  // namespace kvsim
