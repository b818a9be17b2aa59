// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "platform/file_system.h"
#include "x3p/profile_data.h"

namespace kv {

// A profile from the result files in `workFolder` (Windows path text ending
// in a separator): the values of "Measured.csv" (µm) or "Evaluation.csv" (µm,
// or µin when "Condition.csv" says "UNT 2"), spaced by the pitch that
// "Condition.csv" names, in metres. `taken` is the time its file was written;
// the controller version is left to the caller. An error names the file that
// is missing or damaged.
Result<ProfileData> LoadProfile(const FileSystem& files, std::string_view workFolder,
                                ProfileKind kind);

// Whether "Measured.csv" belongs to the current measurement: it is no older
// than "Evaluation.csv".
bool MeasuredProfileIsCurrent(const FileSystem& files, std::string_view workFolder);

// The profile an export takes: the measured one when it was read for the
// current measurement ("Measured.csv" no older than "Evaluation.csv"),
// otherwise the evaluation profile.
Result<ProfileData> LoadExportProfile(const FileSystem& files, std::string_view workFolder);

}  // namespace kv
