// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

namespace kv {
namespace {

std::string Quoted(std::string_view path) {
  return "\"" + std::string(path) + "\"";
}

Status ErrnoError(std::string_view what, std::string_view path, int error) {
  return Status::Error(std::string(what) + " " + Quoted(path) + ": " + std::strerror(error) + ".");
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

bool FileSystem::FolderExists(std::string_view path) const {
  std::error_code ec;
  return std::filesystem::is_directory(drives_.HostPath(path), ec);
}

bool FileSystem::FileExists(std::string_view path) const {
  std::error_code ec;
  return std::filesystem::is_regular_file(drives_.HostPath(path), ec);
}

Status FileSystem::CreateFolder(std::string_view path) {
  std::error_code ec;
  std::filesystem::create_directory(drives_.HostPath(path), ec);
  if (ec)
    return Status::Error("Cannot create the folder " + Quoted(path) + ": " + ec.message() + ".");
  return Status::Ok();
}

Status FileSystem::CopyFile(std::string_view from, std::string_view to) {
  std::error_code ec;
  std::filesystem::copy_file(drives_.HostPath(from), drives_.HostPath(to),
                             std::filesystem::copy_options::skip_existing, ec);
  if (ec) {
    return Status::Error("Cannot copy " + Quoted(from) + " to " + Quoted(to) + ": " + ec.message() +
                         ".");
  }
  return Status::Ok();
}

Result<std::vector<std::string>> FileSystem::ReadLines(std::string_view path) const {
  std::ifstream in(drives_.HostPath(path), std::ios::binary);
  if (!in) return Status::Error("Cannot open " + Quoted(path) + " for reading.");
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return Status::Error("Cannot read " + Quoted(path) + ".");
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    lines.emplace_back(bytes, start, i - start);
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < bytes.size()) lines.emplace_back(bytes, start);
  return lines;
}

Status FileSystem::WriteLines(std::string_view path, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& line : lines) bytes += line + "\r\n";
  return WriteBytes(path, bytes);
}

Result<std::string> FileSystem::WriteTemporary(std::string_view path, std::string_view bytes) {
  std::string temp = drives_.HostPath(path).string() + ".tmp-XXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) return ErrnoError("Cannot write", path, errno);
  // mkstemp makes the file private; result files are for the lab to read.
  bool written = ::fchmod(fd, 0644) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  int error = errno;
  written = (::close(fd) == 0) && written;
  if (written) return temp;
  ::unlink(temp.c_str());
  return ErrnoError("Cannot write", path, error);
}

Status FileSystem::WriteBytes(std::string_view path, std::string_view bytes) {
  return WriteFilesTogether({{std::string(path), std::string(bytes)}});
}

Status FileSystem::WriteFilesTogether(const std::vector<FileContent>& contents) {
  std::vector<std::string> temps;
  auto removeTemps = [&temps](std::size_t from) {
    for (std::size_t j = from; j < temps.size(); ++j) ::unlink(temps[j].c_str());
  };
  for (const auto& content : contents) {
    auto temp = WriteTemporary(content.path, content.bytes);
    if (!temp.ok()) {
      removeTemps(0);
      return temp.status();
    }
    temps.push_back(temp.value());
  }
  // Each old file stays reachable under a second name until all new ones are
  // in place, so a rename that fails half-way can put the old ones back.
  std::vector<std::string> targets, backups;
  for (std::size_t i = 0; i < contents.size(); ++i) {
    targets.push_back(drives_.HostPath(contents[i].path).string());
    std::string backup = temps[i] + ".old";
    backups.push_back(::link(targets[i].c_str(), backup.c_str()) == 0 ? backup : std::string());
  }
  for (std::size_t i = 0; i < contents.size(); ++i) {
    if (::rename(temps[i].c_str(), targets[i].c_str()) == 0) continue;
    int error = errno;
    for (std::size_t j = 0; j < i; ++j) {
      if (backups[j].empty()) {
        ::unlink(targets[j].c_str());
      } else {
        ::rename(backups[j].c_str(), targets[j].c_str());
      }
    }
    for (std::size_t j = i; j < contents.size(); ++j) {
      if (!backups[j].empty()) ::unlink(backups[j].c_str());
    }
    removeTemps(i);
    return ErrnoError("Cannot write", contents[i].path, error);
  }
  for (const auto& backup : backups) {
    if (!backup.empty()) ::unlink(backup.c_str());
  }
  return Status::Ok();
}

}  // namespace kv
