// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kvtest {

// A measurement as the program leaves it in the working folder.
struct Measurement {
  bool inch = false;           // "UNT 2": µin values, inch condition texts
  bool japanese = true;        // "LNG J" and the Japanese default comment lines
  std::size_t points = 50001;  // values of "Evaluation.csv"
  std::string layout = "1";    // entry 3 of "Autoprint.INI"
};

// The lines of each file, as written.
std::vector<std::string> ParameterLines(const Measurement& measurement);
std::vector<std::string> ConditionLines(const Measurement& measurement);
std::vector<std::string> CommentLines(const Measurement& measurement);  // bytes as in the file

// Writes the result files, "Comment.INI" and "Autoprint.INI" (CR LF lines)
// and copies both shipped templates into `folder`.
void WriteWorkingFolder(const std::filesystem::path& folder, const Measurement& measurement);

// Writes `lines`, each ended by CR LF.
void WriteLines(const std::filesystem::path& path, const std::vector<std::string>& lines);

}  // namespace kvtest
