// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

#include "platform/file_system.h"
#include "x3p/profile_data.h"

namespace kv {

// The .x3p file (ISO 5436-2) of `profile`: a zip of main.xml, the heights as
// little-endian doubles in bindata/data.bin, and md5checksum.hex with the
// checksum of main.xml. An error for a profile without points, with a pitch
// that is not positive, or with a height that is not a number.
Result<std::string> X3pBytes(const ProfileData& profile);

// Writes that file at `hostPath` beside its final name first, then renames it
// over any old one, so a failure leaves no partial file. An error names the
// file.
Status ExportX3p(FileSystem& files, const ProfileData& profile,
                 const std::filesystem::path& hostPath);

}  // namespace kv
