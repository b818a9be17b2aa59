// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace kvsim {

// The measuring conditions of one evaluation set as the 0x7001 reply carries
// them: code bytes index the controller's fixed tables, lengths are in mm.
struct Conditions {
  double evaluationLength = 0;           // 124: used when samplingCount is 0
  std::array<double, 5> motifLengths{};  // 132-164: by motif code 0-4
  double userValueA = 0;                 // 172: motif limit A for motif code 0
  double userValueB = 0;                 // 180: motif limit B for B code 0
  std::uint8_t standard = 0;             // 189: 3 = ISO 1997
  std::uint8_t profile = 0;              // 190: 0 P, 1 R, 2 W, 3 DF, 4 R-Motif, 5 W-Motif
  std::uint8_t filter = 0;               // 191: 2 = Gaussian
  std::uint8_t lambdaS = 0;              // 193
  std::uint8_t length = 0;               // 194: cut-off (R) or sampling length (P)
  std::uint8_t waveCutoff = 0;           // 195: cut-off of the W profile
  std::uint8_t lambdaF = 0;              // 196: 7 = none
  std::uint8_t samplingCount = 0;        // 197: 0 selects the evaluation length
  std::uint8_t motif = 0;                // 198
  std::uint8_t motifB = 0;               // 199
  std::uint8_t pitch = 0;                // 207: sampling pitch code
};

// Cut-off (and sampling length) codes 0-7: 0.025 mm to 80 mm.
constexpr std::array<double, 8> kCutoffMillimetres = {0.025, 0.08, 0.25, 0.8, 2.5, 8.0, 25.0, 80.0};
// Sampling pitch codes 0-6: 0.05 um to 50 um.
constexpr std::array<double, 7> kPitchMicrometres = {0.05, 0.1, 0.5, 1.0, 5.0, 10.0, 50.0};

// The conditions a Gaussian-filtered measurement with this cut-off code
// reports: ISO 1997, the usual lambda-s for the cut-off, the standard motif
// limits. The caller sets the profile, the counts and the lengths.
Conditions GaussianConditions(std::uint8_t cutoffCode, std::uint8_t pitchCode);

// Writes the conditions at their offsets of a 512-byte reply.
void PutConditions(std::span<std::uint8_t> reply, const Conditions& conditions);

}  // namespace kvsim
