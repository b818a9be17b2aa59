// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/app_folder.h"

#include <system_error>

namespace kv {

std::filesystem::path AppFolder(const std::filesystem::path& programFolder,
                                const std::filesystem::path& installDataFolder) {
  std::error_code ignored;  // an unreadable folder counts as one without the workbook
  if (std::filesystem::exists(programFolder / "Language.xls", ignored)) return programFolder;
  return (programFolder / installDataFolder).lexically_normal();
}

std::filesystem::path AppFolder(const std::filesystem::path& programFolder) {
  return AppFolder(programFolder, KV_INSTALL_DATADIR);
}

}  // namespace kv
