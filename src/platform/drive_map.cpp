// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drive_map.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <system_error>

namespace kv {
namespace {

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// The existing entry of `folder` whose name matches `name` without regard to
// case; an exact match wins. Falls back to `name` itself.
std::string ResolveName(const std::filesystem::path& folder, const std::string& name) {
  std::error_code ec;
  if (name == "." || name == ".." || std::filesystem::exists(folder / name, ec)) return name;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    std::string candidate = entry.path().filename().string();
    if (SameNameIgnoringCase(candidate, name)) return candidate;
  }
  return name;
}

}  // namespace

DriveMap::DriveMap(std::filesystem::path driveC) : driveC_(std::move(driveC)) {}

DriveMap DriveMap::FromEnvironment() {
  if (const char* drive = std::getenv("KV_DRIVE_C"); drive && *drive) return DriveMap(drive);
  std::filesystem::path data;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
    data = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    data = std::filesystem::path(home) / ".local" / "share";
  } else {
    data = std::filesystem::temp_directory_path();
  }
  return DriveMap(data / "corvanet-kv" / "drive_c");
}

std::filesystem::path DriveMap::HostPath(std::string_view windowsPath) const {
  std::filesystem::path host = driveC_;
  std::string_view rest = windowsPath;
  if (rest.size() >= 2 && rest[1] == ':') {
    if (std::toupper(static_cast<unsigned char>(rest[0])) == 'Z') host = "/";
    rest.remove_prefix(2);
  }
  std::string part;
  auto flush = [&] {
    if (!part.empty()) host /= ResolveName(host, part);
    part.clear();
  };
  for (char c : rest) {
    if (c == '\\' || c == '/') {
      flush();
    } else {
      part += c;
    }
  }
  flush();
  return host;
}

std::string DriveMap::WindowsPath(const std::filesystem::path& hostPath) const {
  std::filesystem::path absolute = std::filesystem::absolute(hostPath).lexically_normal();
  std::filesystem::path drive = std::filesystem::absolute(driveC_).lexically_normal();
  std::filesystem::path relative = absolute.lexically_relative(drive);
  std::string text;
  if (!relative.empty() && *relative.begin() != "..") {
    text = "C:";
  } else {
    text = "Z:";
    relative = absolute.relative_path();
  }
  for (const auto& part : relative) {
    if (part == "." || part.empty()) continue;
    text += "\\" + part.string();
  }
  return text;
}

}  // namespace kv
