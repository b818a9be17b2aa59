// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/folder_listing.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace kv {
namespace {

char Lower(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool EndsWithIgnoringCase(std::string_view name, std::string_view ending) {
  return name.size() >= ending.size() &&
         std::equal(ending.rbegin(), ending.rend(), name.rbegin(),
                    [](char a, char b) { return Lower(a) == Lower(b); });
}

bool BeforeIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Lower(x) < Lower(y); });
}

}  // namespace

std::string FolderText(std::string_view text) {
  if (text.size() < 2 || text[1] != ':') return {};
  const char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  if (drive != 'C' && drive != 'Z') return {};
  std::string folder{drive, ':'};
  std::string part;
  for (char c : std::string(text.substr(2)) + '\\') {
    if (c != '\\' && c != '/') {
      part += c;
    } else if (!part.empty()) {
      folder += '\\' + part;
      part.clear();
    }
  }
  return folder.size() == 2 ? folder + '\\' : folder;
}

std::string ParentFolder(const std::string& folder) {
  const std::size_t cut = folder.rfind('\\');
  return cut == std::string::npos || cut <= 2 ? folder.substr(0, 3) : folder.substr(0, cut);
}

std::string ChildPath(const std::string& folder, std::string_view name) {
  return folder.ends_with('\\') ? folder + std::string(name) : folder + '\\' + std::string(name);
}

FolderListing ListFolder(const DriveMap& drives, const std::string& folder,
                         std::string_view extension) {
  FolderListing listing;
  std::error_code ec;
  for (auto entry = std::filesystem::directory_iterator(drives.HostPath(folder), ec);
       !ec && entry != std::filesystem::directory_iterator(); entry.increment(ec)) {
    std::string name = entry->path().filename().string();
    if (name.starts_with('.')) continue;
    std::error_code kind;
    if (entry->is_directory(kind)) {
      listing.folders.push_back(std::move(name));
    } else if (entry->is_regular_file(kind) && EndsWithIgnoringCase(name, extension)) {
      listing.files.push_back(std::move(name));
    }
  }
  std::sort(listing.folders.begin(), listing.folders.end(), BeforeIgnoringCase);
  std::sort(listing.files.begin(), listing.files.end(), BeforeIgnoringCase);
  return listing;
}

}  // namespace kv
