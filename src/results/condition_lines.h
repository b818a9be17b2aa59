// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kv {

// The measuring conditions as the controller codes them (0x7001 reply).
struct ConditionCodes {
  double evaluationLength = 0;           // 124: length mode (sampling count 0)
  std::array<double, 5> motifLengths{};  // 132-164: by motif code
  double userValueA = 0;                 // 172: motif upper limit A
  double userValueB = 0;                 // 180: waviness motif limit B
  std::uint8_t standard = 0;             // 189
  std::uint8_t profile = 0;              // 190
  std::uint8_t filter = 0;               // 191
  std::uint8_t lambdaS = 0;              // 193
  std::uint8_t length = 0;               // 194: P sampling length, R cut-off
  std::uint8_t waveCutoff = 0;           // 195: W cut-off
  std::uint8_t lambdaF = 0;              // 196: W lambda-f
  std::uint8_t samplingCount = 0;        // 197: 0 = length mode
  std::uint8_t motif = 0;                // 198: A limit, motif length
  std::uint8_t motifB = 0;               // 199: W-Motif B limit
  std::uint8_t pitch = 0;                // 207
};

// The nine lines of "Condition.csv": cut-off or limits, count or length,
// profile, filter, standard, lambda-s, pitch, unit, language. A code outside
// its table leaves its line empty.
using ConditionLineArray = std::array<std::string, 9>;
ConditionLineArray ConditionLines(const ConditionCodes& codes, bool inch,
                                  std::int16_t languageIndex);

// Cut-off text for a length code ("CUT 0.8mm"); empty outside the table.
std::string CutoffText(std::uint8_t code, bool inch);

// The pitch in micrometres that the number of a "STP" line names. The inch
// line names the metric pitch rounded ("STP 20.0" for 0.5 µm, which is
// 19.685 µin), and the points lie the metric pitch apart; any other inch
// number (a data file's pitch beyond the table) is exact already.
double PitchMicrometres(double number, bool inch);

}  // namespace kv
