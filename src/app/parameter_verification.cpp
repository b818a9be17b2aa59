// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/parameter_verification.h"

namespace kv {
namespace {

// 50,001 values of 20 characters and more, with room to spare.
constexpr std::size_t kLargestResultFile = 4 << 20;

Result<std::string> ResultFile(const FileSystem& files, const std::string& workFolder,
                               const std::string& name) {
  auto bytes = files.ReadBytes(workFolder + name, kLargestResultFile);
  if (!bytes.ok()) {
    return Status::Error(bytes.status().code(), "The parameters cannot be checked without \"" +
                                                    name + "\": " + bytes.status().description());
  }
  return bytes;
}

}  // namespace

Result<ParameterCheck> CheckResultFiles(const FileSystem& files, const std::string& workFolder) {
  auto parameters = ResultFile(files, workFolder, "Parameter.csv");
  if (!parameters.ok()) return parameters.status();
  auto conditions = ResultFile(files, workFolder, "Condition.csv");
  if (!conditions.ok()) return conditions.status();
  // A measured profile read before the last results belongs to another measurement.
  const auto measuredAt = files.WriteTime(workFolder + "Measured.csv");
  const auto resultsAt = files.WriteTime(workFolder + "Parameter.csv");
  if (measuredAt && resultsAt && *measuredAt < *resultsAt) {
    return Status::Error(StatusCode::kNoMeasuredProfile,
                         "The parameters cannot be checked: \"Measured.csv\" is from an earlier "
                         "measurement; read the measured profile of this one first.");
  }
  auto measured = ResultFile(files, workFolder, "Measured.csv");
  if (!measured.ok()) return measured.status();
  return CheckParameters(parameters.value(), conditions.value(), measured.value());
}

}  // namespace kv
