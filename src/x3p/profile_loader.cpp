// SPDX-License-Identifier: GPL-3.0-or-later
#include "x3p/profile_loader.h"

#include <filesystem>
#include <optional>
#include <string>

#include "results/number_text.h"
#include "x3p/condition_units.h"

namespace kv {
namespace {

// The largest result file: 76,001 values with their line ends, with room to
// spare; a larger file is not one of ours.
constexpr std::size_t kResultFileBytes = std::size_t{4} * 1024 * 1024;
constexpr double kMicrometresPerMetre = 1e6;
constexpr double kMicrometresPerMicroinch = 0.0254;

const char* FileName(ProfileKind kind) {
  return kind == ProfileKind::kMeasured ? "Measured.csv" : "Evaluation.csv";
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

Result<std::vector<std::string>> ReadResultFile(const FileSystem& files,
                                                std::string_view workFolder,
                                                std::string_view name) {
  const std::string path = std::string(workFolder) + std::string(name);
  if (!files.FileExists(path)) {
    return Status::Error(
        StatusCode::kFileError,
        Quoted(name) + " is missing from the working folder " + Quoted(workFolder) + ".");
  }
  return files.ReadLines(path, kResultFileBytes);
}

// The values of a result file, each multiplied into metres.
Result<std::vector<double>> Heights(const std::vector<std::string>& lines, std::string_view name,
                                    double micrometresPerUnit) {
  if (lines.empty()) {
    return Status::Error(StatusCode::kBadFile,
                         Quoted(name) + " in the working folder holds no values.");
  }
  std::vector<double> heights;
  heights.reserve(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    auto value = WholeNumber(lines[i]);
    if (!value) {
      return Status::Error(StatusCode::kBadFile, Quoted(name) + " in the working folder: line " +
                                                     std::to_string(i + 1) +
                                                     " is not a number: " + Quoted(lines[i]) + ".");
    }
    heights.push_back(*value * micrometresPerUnit / kMicrometresPerMetre);
  }
  return heights;
}

}  // namespace

Result<ProfileData> LoadProfile(const FileSystem& files, std::string_view workFolder,
                                ProfileKind kind) {
  auto conditions = ReadResultFile(files, workFolder, "Condition.csv");
  if (!conditions.ok()) return conditions.status();
  auto units = ConditionUnitsOf(conditions.value());
  if (!units.ok()) return units.status();
  const char* name = FileName(kind);
  auto lines = ReadResultFile(files, workFolder, name);
  if (!lines.ok()) return lines.status();
  const bool microinches = kind == ProfileKind::kEvaluation && units.value().inch;
  auto heights = Heights(lines.value(), name, microinches ? kMicrometresPerMicroinch : 1.0);
  if (!heights.ok()) return heights.status();
  ProfileData profile;
  profile.kind = kind;
  profile.heights = std::move(heights.value());
  profile.pitch = units.value().pitchMicrometres / kMicrometresPerMetre;
  if (auto written = files.WriteTime(std::string(workFolder) + name)) {
    profile.taken = std::chrono::time_point_cast<std::chrono::system_clock::duration>(
        std::chrono::file_clock::to_sys(*written));
  }
  return profile;
}

bool MeasuredProfileIsCurrent(const FileSystem& files, std::string_view workFolder) {
  auto measured = files.WriteTime(std::string(workFolder) + FileName(ProfileKind::kMeasured));
  auto evaluation = files.WriteTime(std::string(workFolder) + FileName(ProfileKind::kEvaluation));
  return measured && (!evaluation || *measured >= *evaluation);
}

Result<ProfileData> LoadExportProfile(const FileSystem& files, std::string_view workFolder) {
  if (!files.FileExists(std::string(workFolder) + FileName(ProfileKind::kMeasured)) &&
      !files.FileExists(std::string(workFolder) + FileName(ProfileKind::kEvaluation))) {
    return Status::Error(StatusCode::kFileError,
                         "There is no profile to export: neither \"Measured.csv\" nor "
                         "\"Evaluation.csv\" is in the working folder " +
                             Quoted(workFolder) + ".");
  }
  return LoadProfile(files, workFolder,
                     MeasuredProfileIsCurrent(files, workFolder) ? ProfileKind::kMeasured
                                                                 : ProfileKind::kEvaluation);
}

}  // namespace kv
