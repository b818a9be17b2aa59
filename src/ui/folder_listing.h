// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/drive_map.h"

namespace kv {

// Folders as Windows path text on the drives the PC picker offers: "C:" (the
// working drive) and "Z:" (the host's root). A drive's own folder is "C:\",
// any other folder has no trailing separator.

// `text` in that form ("c:/A\\B\" gives "C:\A\B"); empty when it names
// neither drive C: nor Z:.
std::string FolderText(std::string_view text);

// The folder that holds `folder`; a drive's own folder is its own parent.
std::string ParentFolder(const std::string& folder);

// `name` inside `folder`.
std::string ChildPath(const std::string& folder, std::string_view name);

// What a folder holds, as its folder and file lists show it: names sorted
// without regard to case; hidden entries (a leading dot) left out.
struct FolderListing {
  std::vector<std::string> folders;
  std::vector<std::string> files;  // those whose names end in the extension, in any case
};

// Empty when the folder cannot be read.
FolderListing ListFolder(const DriveMap& drives, const std::string& folder,
                         std::string_view extension);

}  // namespace kv
