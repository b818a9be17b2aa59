// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

namespace kv {

// The folder that holds Language.xls and the certificate templates: the
// program's own folder when Language.xls lies there (a build tree), else the
// install data folder. A relative install data folder is taken from the
// program's folder, so an installed tree still finds its files when it is
// moved (a staging folder, another prefix).
std::filesystem::path AppFolder(const std::filesystem::path& programFolder,
                                const std::filesystem::path& installDataFolder);

// AppFolder with the data folder this build installs to.
std::filesystem::path AppFolder(const std::filesystem::path& programFolder);

}  // namespace kv
