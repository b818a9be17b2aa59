// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "datafile/conversion_context.h"
#include "link/link.h"
#include "platform/file_system.h"

namespace kv {

// Fetches a CF card file named in a picker entry and converts it into the stage, with the zero
// graph files ("Graph_BAC.Csv", "Graph_ADC.Csv", 100 lines "0" each). Codes: kNoFileName,
// kFileNotFetched, or the converter's. After a failure the stage is empty.
Status StageControllerFile(Link& link, ConversionContext& context, std::string_view entry);
// The same for a data file on the PC (Windows path text): kNotADataFile when it cannot be read or
// its first line begins with neither "// Ver." nor "// Header", or the converter's code.
Status StagePcFile(const FileSystem& files, ConversionContext& context,
                   std::string_view windowsPath);

}  // namespace kv
