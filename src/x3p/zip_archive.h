// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"

namespace kv {

struct ArchiveEntry {
  std::string name;  // path inside the archive, "/" between folders
  std::string_view bytes;
};

// A zip archive of `entries`, in their order, stored uncompressed, built in
// memory.
Result<std::string> ZipArchive(const std::vector<ArchiveEntry>& entries);

}  // namespace kv
