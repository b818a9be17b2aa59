// SPDX-License-Identifier: GPL-3.0-or-later
#include "working_folder.h"

#include <cmath>
#include <cstdio>

#include "temp_folder.h"

namespace kvtest {
namespace {

constexpr double kPi = 3.14159265358979323846;

// General number text: at most 15 significant digits, no trailing zeros.
std::string NumberText(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.15G", value);
  return buffer;
}

// A turned surface: a feed mark every 100 points, a little waviness, and one
// deep scratch that a certificate must not lose.
std::vector<std::string> EvaluationLines(const Measurement& m) {
  const double scale = m.inch ? 1000 / 25.4 : 1;  // µm to µin
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < m.points; ++i) {
    double x = static_cast<double>(i);
    double um = 0.8 * std::sin(2 * kPi * x / 100) + 0.3 * std::sin(2 * kPi * x / 7000);
    if (i == m.points / 3) um = -4.5;
    lines.push_back(NumberText(std::round(um * scale * 1e4) / 1e4));
  }
  return lines;
}

// Heights from the highest peak down at even steps of the bearing ratio.
std::vector<std::string> BacLines(const Measurement& m) {
  const double scale = m.inch ? 1000 / 25.4 : 1;
  std::vector<std::string> lines;
  for (int i = 0; i < 200; ++i) {
    lines.push_back(NumberText(std::round(1.1 * std::cos(kPi * i / 199) * scale * 1e4) / 1e4));
  }
  return lines;
}

// Densities in % at even height steps from the top.
std::vector<std::string> AdcLines() {
  std::vector<std::string> lines;
  for (int i = 0; i < 200; ++i) {
    double t = (i - 99.5) / 99.5;
    lines.push_back(NumberText(std::round(2.5 / std::sqrt(1.02 - t * t) * 100) / 100));
  }
  return lines;
}

}  // namespace

std::vector<std::string> ParameterLines(const Measurement& m) {
  if (m.inch) {
    return {"Ra     9.25 uin", "Rq     11.85 uin", "Rz     72.52 uin",
            "Rp     35.4 uin", "RSm    3354 uin",  "RDq    0.0612"};
  }
  return {"Ra     0.235 um", "Rq     0.301 um", "Rz     1.842 um",
          "Rp     0.899 um", "RSm    85.2 um",  "RDq    0.0612"};
}

std::vector<std::string> ConditionLines(const Measurement& m) {
  std::string language = m.japanese ? "LNG J" : "LNG E";
  if (m.inch) {
    return {"CUT 0.03in", "N 5",      "CUV R", "FIL GAUSS", "STD ANSI",
            "LS  100uin", "STP 20.0", "UNT 2", language};
  }
  return {"CUT 0.8mm", "N 5",      "CUV R", "FIL GAUSS", "STD JIS 2001",
          "LS  2.5um", "STP 0.50", "UNT 1", language};
}

std::vector<std::string> CommentLines(const Measurement& m) {
  if (m.japanese) {  // the Japanese default lines in Shift-JIS
    return {"\x83\x8F\x81\x5B\x83\x4E\x96\xBC",
            "\x91\xAA\x92\xE8\x8B\x40\x8A\xED",
            "\x91\xAA\x92\xE8\x8E\xD2",
            "\x83\x52\x83\x81\x83\x93\x83\x67",
            "\x83\x54\x83\x93\x83\x76\x83\x8B",
            "Corvanet KV-730",
            "Tarnwick",
            "Ver3.00"};
  }
  return {"Work Name",  "Measuring Tool",  "Oprrator", "Comment",
          "Shaft 12-A", "Corvanet KV-730", "J. Smith", "Lot 4711"};
}

void WriteLines(const std::filesystem::path& path, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& line : lines) bytes += line + "\r\n";
  WriteBytes(path, bytes);
}

void WriteWorkingFolder(const std::filesystem::path& folder, const Measurement& m) {
  WriteLines(folder / "Parameter.csv", ParameterLines(m));
  WriteLines(folder / "Condition.csv", ConditionLines(m));
  WriteLines(folder / "Evaluation.csv", EvaluationLines(m));
  WriteLines(folder / "Graph_BAC.Csv", BacLines(m));
  WriteLines(folder / "Graph_ADC.Csv", AdcLines());
  WriteLines(folder / "Comment.INI", CommentLines(m));
  WriteLines(folder / "Autoprint.INI", {"0", "0", "1", m.layout, "0", "0"});
  for (const char* book : {"KV_Certificate.xls", "KV_Certificate_Letter.xls"}) {
    std::filesystem::copy_file(std::filesystem::path(KV_WORKBOOKS_DIR) / book, folder / book,
                               std::filesystem::copy_options::overwrite_existing);
  }
}

}  // namespace kvtest
