// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/conditions.h"

#include <cstddef>

#include "sim/reply_bytes.h"

namespace kvsim {
namespace {

constexpr std::uint8_t kIso1997 = 3;
constexpr std::uint8_t kGaussian = 2;
constexpr std::uint8_t kNoLambdaF = 7;
constexpr std::uint8_t kMotifA010 = 2;  // A = 0.10 mm
constexpr std::uint8_t kMotifB050 = 2;  // B = 0.50 mm

// Lambda-s that belongs to each cut-off (2.5 um up to 0.8 mm, then growing
// with the cut-off), as lambda-s codes.
constexpr std::array<std::uint8_t, 8> kLambdaSForCutoff = {1, 2, 2, 2, 3, 4, 5, 6};

// Motif evaluation lengths by motif code: user limit (16 mm), then the ones
// that go with A = 0.02, 0.1, 0.5 and 2.5 mm.
constexpr std::array<double, 5> kMotifLengths = {16.0, 0.64, 3.2, 16.0, 80.0};

}  // namespace

Conditions GaussianConditions(std::uint8_t cutoffCode, std::uint8_t pitchCode) {
  Conditions conditions;
  conditions.motifLengths = kMotifLengths;
  conditions.userValueA = 0.3;
  conditions.userValueB = 1.25;
  conditions.standard = kIso1997;
  conditions.filter = kGaussian;
  conditions.lambdaS = kLambdaSForCutoff.at(cutoffCode);
  conditions.length = cutoffCode;
  conditions.waveCutoff = cutoffCode;
  conditions.lambdaF = kNoLambdaF;
  conditions.motif = kMotifA010;
  conditions.motifB = kMotifB050;
  conditions.pitch = pitchCode;
  return conditions;
}

void PutConditions(std::span<std::uint8_t> reply, const Conditions& conditions) {
  PutDouble(reply, 124, conditions.evaluationLength);
  for (std::size_t i = 0; i < conditions.motifLengths.size(); ++i) {
    PutDouble(reply, 132 + 8 * i, conditions.motifLengths[i]);
  }
  PutDouble(reply, 172, conditions.userValueA);
  PutDouble(reply, 180, conditions.userValueB);
  reply[189] = conditions.standard;
  reply[190] = conditions.profile;
  reply[191] = conditions.filter;
  reply[193] = conditions.lambdaS;
  reply[194] = conditions.length;
  reply[195] = conditions.waveCutoff;
  reply[196] = conditions.lambdaF;
  reply[197] = conditions.samplingCount;
  reply[198] = conditions.motif;
  reply[199] = conditions.motifB;
  reply[207] = conditions.pitch;
}

}  // namespace kvsim
