// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "sim/controller_config.h"

namespace kvsim {

struct Options {
  std::uint16_t port = 0;  // 0 picks a free port
  Config config;
  bool help = false;
  // Not empty: write the measurement's data file there and end.
  std::string dataFilePath;
  std::optional<bool> dataFileInch;  // none: as the controller's unit
  bool dataFileCrLf = false;
};

// Either the options or why the command line is wrong.
struct ParsedOptions {
  std::optional<Options> options;
  std::string problem;
};

// Parses the arguments after the program name.
ParsedOptions ParseOptions(std::span<const char* const> arguments);

std::string Usage();

// "0x1F" or "31", at most `max`; none for anything else.
std::optional<std::uint32_t> ParseNumber(std::string_view text, std::uint32_t max);

}  // namespace kvsim
