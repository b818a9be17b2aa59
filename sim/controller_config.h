// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kvsim {

// How the simulated controller misbehaves on the reply side.
enum class Fault {
  None,         // every valid request gets its whole reply
  NoAnswer,     // requests are taken, but every read delivers nothing
  ShortAnswer,  // replies are cut to Config::shortLength bytes
};

// What the simulated controller reports about itself.
struct Config {
  std::string version = "Ver 1.103";  // version text; the reply carries at most 52 bytes of it
  std::uint8_t language = 1;          // LanguageIndex
  std::uint8_t unit = 0;              // 0 metric, 1 inch
  std::uint8_t evaluationFlag = 0;    // controller evaluation flag
  // 0x2440 answers these in turn; the last one then sticks (none: 0).
  std::vector<std::uint16_t> statuses = {0};
  Fault fault = Fault::None;
  std::size_t shortLength = 8;  // reply length in ShortAnswer mode
  bool log = false;             // each request as one hex line on stderr
};

}  // namespace kvsim
