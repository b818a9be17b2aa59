// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace kvtest {

// A measurement as the program leaves it in the working folder.
struct Measurement {
  bool inch = false;           // "UNT 2": µin values, inch condition texts
  bool japanese = true;        // "LNG J" and the Japanese default comment lines
  std::size_t points = 50001;  // values of "Evaluation.csv"
  std::string layout = "1";    // entry 3 of "Autoprint.INI"
};

// Writes `lines`, each ended by CR LF.
inline void WriteLines(const std::filesystem::path& path, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& line : lines) bytes += line + "\r\n";
  WriteBytes(path, bytes);
}

// Writes the result files, "Comment.INI" and "Autoprint.INI" and copies both templates
// into `folder`. The profile is a turned surface: a feed mark every 100 points, a little
// waviness, and one deep scratch that a certificate must not lose.
inline void WriteWorkingFolder(const std::filesystem::path& folder, const Measurement& m) {
  const double scale = m.inch ? 1000 / 25.4 : 1;  // µm to µin
  const double pi = std::numbers::pi;
  const auto Values = [](std::size_t count, auto f) {  // f(0) .. f(count - 1) as lines
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < count; ++i) lines.push_back(std::to_string(f(double(i))));
    return lines;
  };
  WriteLines(
      folder / "Parameter.csv",
      m.inch ? std::vector<std::string>{"Ra     9.25 uin", "Rq     11.85 uin", "Rz     72.52 uin",
                                        "Rp     35.4 uin", "RSm    3354 uin", "RDq    0.0612"}
             : std::vector<std::string>{"Ra     0.235 um", "Rq     0.301 um", "Rz     1.842 um",
                                        "Rp     0.899 um", "RSm    85.2 um", "RDq    0.0612"});
  WriteLines(folder / "Condition.csv",
             {m.inch ? "CUT 0.03in" : "CUT 0.8mm", "N 5", "CUV R", "FIL GAUSS",
              m.inch ? "STD ANSI" : "STD JIS 2001", m.inch ? "LS  100uin" : "LS  2.5um",
              m.inch ? "STP 20.0" : "STP 0.50", m.inch ? "UNT 2" : "UNT 1",
              m.japanese ? "LNG J" : "LNG E"});
  WriteLines(folder / "Evaluation.csv", Values(m.points, [&](double x) {
               if (x == static_cast<double>(m.points / 3)) return -4.5 * scale;
               return (0.8 * std::sin(2 * pi * x / 100) + 0.3 * std::sin(2 * pi * x / 7000)) *
                      scale;
             }));
  // Heights from the highest peak down; densities in % from the top.
  WriteLines(folder / "Graph_BAC.Csv",
             Values(200, [&](double i) { return 1.1 * std::cos(pi * i / 199) * scale; }));
  WriteLines(folder / "Graph_ADC.Csv", Values(200, [](double i) {
               return 2.5 / std::sqrt(1.02 - std::pow((i - 99.5) / 99.5, 2));
             }));
  WriteLines(
      folder / "Comment.INI",
      m.japanese
          ? std::vector<std::string>{"\x83\x8F\x81\x5B\x83\x4E\x96\xBC",
                                     "\x91\xAA\x92\xE8\x8B\x40\x8A\xED", "\x91\xAA\x92\xE8\x8E\xD2",
                                     "\x83\x52\x83\x81\x83\x93\x83\x67",
                                     "\x83\x54\x83\x93\x83\x76\x83\x8B", "Corvanet KV-730",
                                     "Tarnwick", "Ver3.00"}
          : std::vector<std::string>{"Work Name", "Measuring Tool", "Oprrator", "Comment",
                                     "Shaft 12-A", "Corvanet KV-730", "J. Smith", "Lot 4711"});
  WriteLines(folder / "Autoprint.INI", {"0", "0", "1", m.layout, "0", "0"});
  for (const char* book : {"KV_Certificate.xls", "KV_Certificate_Letter.xls"}) {
    std::filesystem::copy_file(std::filesystem::path(KV_WORKBOOKS_DIR) / book, folder / book,
                               std::filesystem::copy_options::overwrite_existing);
  }
}

}  // namespace kvtest
