// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "x3p/profile_data.h"

namespace kv {

// Where an X3P file keeps its point data.
inline constexpr const char* kX3pDataPath = "bindata/data.bin";

// The main.xml of an X3P file (ISO 5436-2) for `profile`: a profile record
// (PRF) with x incremental at the pitch, z absolute doubles in metres, and
// `dataMd5` (lower-case hex) as the checksum of the point data. UTF-8.
std::string X3pMainXml(const ProfileData& profile, std::string_view dataMd5);

}  // namespace kv
