// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "analysis/parameter_check.h"
#include "platform/file_system.h"

namespace kv {

// The independent check of the parameters in the working folder: those of
// "Parameter.csv" beside the ones computed from "Measured.csv" under the
// conditions of "Condition.csv". Refused when a file is missing, cannot be
// checked, or "Measured.csv" is older than "Parameter.csv".
Result<ParameterCheck> CheckResultFiles(const FileSystem& files, const std::string& workFolder);

}  // namespace kv
