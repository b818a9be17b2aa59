// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "temp_folder.h"

namespace kvtest {

inline constexpr const char* kWorkFolder = "C:\\Tarnwick Corvanet\\KV-730\\";

// Writes `lines`, each ended by CR LF.
inline void WriteLines(const std::filesystem::path& path, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& line : lines) bytes += line + "\r\n";
  WriteBytes(path, bytes);
}

// Writes a metric measurement of a controller set to Japanese as the program
// leaves it in `folder`, and copies both templates there. The profile has a
// feed mark every 100 points and one deep scratch, at a third of its length.
inline void WriteWorkingFolder(const std::filesystem::path& folder, std::size_t points = 1000) {
  const double pi = std::numbers::pi;
  std::vector<std::string> profile, bac, adc;
  for (std::size_t i = 0; i < points; ++i)
    profile.push_back(i == points / 3 ? "-4.5" : std::to_string(0.8 * std::sin(pi * i / 50)));
  for (int i = 0; i < 200; ++i) {  // heights from the highest peak down; densities in %
    bac.push_back(std::to_string(1.1 * std::cos(pi * i / 199)));
    adc.push_back(std::to_string(2.5 / std::sqrt(1.02 - std::pow((i - 99.5) / 99.5, 2))));
  }
  WriteLines(folder / "Evaluation.csv", profile);
  WriteLines(folder / "Graph_BAC.Csv", bac);
  WriteLines(folder / "Graph_ADC.Csv", adc);
  WriteLines(folder / "Parameter.csv", {"Ra     0.235 um", "RSm    85.2 um", "RDq    0.0612"});
  WriteLines(folder / "Condition.csv", {"CUT 0.8mm", "N 5", "CUV R", "FIL GAUSS", "STD JIS 2001",
                                        "LS  2.5um", "STP 0.50", "UNT 1", "LNG J"});
  // "ワーク名" and "サンプル" in the Japanese code page, as the comment editor writes them.
  WriteLines(folder / "Comment.INI", {"\x83\x8F\x81\x5B\x83\x4E\x96\xBC", "", "", "",
                                      "\x83\x54\x83\x93\x83\x76\x83\x8B", "", "", ""});
  WriteLines(folder / "Autoprint.INI", {"0", "0", "1", "1", "0", "0"});
  for (const char* book : {"KV_Certificate.xls", "KV_Certificate_Letter.xls"}) {
    std::filesystem::copy_file(std::filesystem::path(KV_WORKBOOKS_DIR) / book, folder / book,
                               std::filesystem::copy_options::overwrite_existing);
  }
}

// A drive C: of its own with the working folder on it.
class WorkingFolderTest : public ::testing::Test {
 protected:
  TempFolder drive_;
  kv::FileSystem files_{kv::DriveMap(drive_.path())};
  std::filesystem::path work_ = drive_.path() / "Tarnwick Corvanet" / "KV-730";
};

}  // namespace kvtest
