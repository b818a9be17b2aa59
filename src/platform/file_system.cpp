// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

namespace kv {
namespace {

std::string Quoted(std::string_view path) {
  return "\"" + std::string(path) + "\"";
}

Status ErrnoError(std::string_view what, std::string_view path, int error) {
  return Status::Error(StatusCode::kFileError,
                       std::string(what) + " " + Quoted(path) + ": " + std::strerror(error) + ".");
}

constexpr const char* kJournalName = ".kvcom-replacing";
constexpr std::string_view kTemporaryMark = ".tmp-";

// "NAME.tmp-XXXXXX", or its backup "NAME.tmp-XXXXXX.old", as WriteTemporary makes them.
bool IsTemporaryName(const std::string& path) {
  std::string_view name = path;
  name.remove_prefix(std::min(name.size(), name.rfind('/') + 1));
  if (name.ends_with(".old")) name.remove_suffix(4);
  const auto mark = name.rfind(kTemporaryMark);
  return mark != std::string_view::npos && name.size() == mark + kTemporaryMark.size() + 6;
}

// The renames themselves reach the disk only with the folder.
void SyncFolder(const std::filesystem::path& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
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

std::optional<std::filesystem::file_time_type> FileSystem::WriteTime(std::string_view path) const {
  std::error_code error;
  auto time = std::filesystem::last_write_time(drives_.HostPath(path), error);
  if (error) return std::nullopt;
  return time;
}

Status FileSystem::CreateFolder(std::string_view path) {
  std::error_code ec;
  std::filesystem::create_directory(drives_.HostPath(path), ec);
  if (ec)
    return Status::Error(StatusCode::kFileError,
                         "Cannot create the folder " + Quoted(path) + ": " + ec.message() + ".");
  return Status::Ok();
}

Status FileSystem::CopyFile(std::string_view from, std::string_view to) {
  std::error_code ec;
  std::filesystem::copy_file(drives_.HostPath(from), drives_.HostPath(to),
                             std::filesystem::copy_options::skip_existing, ec);
  if (ec) {
    return Status::Error(StatusCode::kFileError, "Cannot copy " + Quoted(from) + " to " +
                                                     Quoted(to) + ": " + ec.message() + ".");
  }
  return Status::Ok();
}

// Opened without blocking and taken only when it is a regular file, so a
// FIFO or a device in its place can neither hang nor feed the program.
Result<std::string> FileSystem::ReadHead(std::string_view path, std::size_t maxBytes) const {
  return Read(path, maxBytes, false);
}

Result<std::string> FileSystem::ReadBytes(std::string_view path, std::size_t maxBytes) const {
  return Read(path, maxBytes, true);
}

Result<std::string> FileSystem::Read(std::string_view path, std::size_t maxBytes,
                                     bool refuseLarger) const {
  const std::string host = drives_.HostPath(path).string();
  const int fd = ::open(host.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return ErrnoError("Cannot read", path, errno);
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return Status::Error(StatusCode::kFileError, "Cannot read " + Quoted(path) + ": not a file.");
  }
  if (refuseLarger && static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
    ::close(fd);
    return Status::Error(StatusCode::kBadFile, Quoted(path) + " is larger than " +
                                                   std::to_string(maxBytes) +
                                                   " bytes, more than such a file can hold.");
  }
  std::string bytes(std::min<std::uintmax_t>(static_cast<std::uintmax_t>(info.st_size), maxBytes),
                    '\0');
  std::size_t size = 0;
  while (size < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + size, bytes.size() - size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int error = errno;
      ::close(fd);
      return ErrnoError("Cannot read", path, error);
    }
    if (n == 0) break;
    size += static_cast<std::size_t>(n);
  }
  ::close(fd);
  bytes.resize(size);
  return bytes;
}

Result<std::vector<std::string>> FileSystem::ReadLines(std::string_view path,
                                                       std::size_t maxBytes) const {
  auto read = ReadBytes(path, maxBytes);
  if (!read.ok()) return read.status();
  return TextLines(read.value());
}

std::vector<std::string> TextLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    lines.emplace_back(bytes.substr(start, i - start));
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
  return lines;
}

Status FileSystem::WriteLines(std::string_view path, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& line : lines) bytes += line + "\r\n";
  return WriteBytes(path, bytes);
}

Result<std::string> FileSystem::WriteTemporary(std::string_view path, std::string_view bytes) {
  std::string temp = drives_.HostPath(path).string() + std::string(kTemporaryMark) + "XXXXXX";
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
  if (contents.empty()) return Status::Ok();
  std::vector<std::string> temps;
  for (const auto& content : contents) {
    auto temp = WriteTemporary(content.path, content.bytes);
    if (!temp.ok()) {
      for (const auto& written : temps) ::unlink(written.c_str());
      return temp.status();
    }
    temps.push_back(temp.value());
  }
  if (contents.size() == 1) {  // one rename replaces one file whole: no journal needed
    Status replaced = ReplaceAll(contents, temps);
    SyncFolder(std::filesystem::path(temps[0]).parent_path());
    return replaced;
  }
  const std::filesystem::path folder = std::filesystem::path(temps[0]).parent_path();
  std::string journal;
  for (std::size_t i = 0; i < contents.size(); ++i) {
    journal += temps[i] + '\t' + drives_.HostPath(contents[i].path).string() + '\n';
  }
  const std::string journalPath = (folder / kJournalName).string();
  auto journalTemp = WriteTemporary(drives_.WindowsPath(journalPath), journal);
  if (!journalTemp.ok() || ::rename(journalTemp.value().c_str(), journalPath.c_str()) != 0) {
    for (const auto& written : temps) ::unlink(written.c_str());
    if (journalTemp.ok()) ::unlink(journalTemp.value().c_str());
    return journalTemp.ok() ? ErrnoError("Cannot write", contents[0].path, errno)
                            : journalTemp.status();
  }
  SyncFolder(folder);
  Status replaced = ReplaceAll(contents, temps);
  SyncFolder(folder);
  ::unlink(journalPath.c_str());
  return replaced;
}

Status FileSystem::ReplaceAll(const std::vector<FileContent>& contents,
                              const std::vector<std::string>& temps) {
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
        // Best effort: the failure reported is the first one.
        (void)::rename(backups[j].c_str(), targets[j].c_str());
      }
    }
    for (std::size_t j = i; j < contents.size(); ++j) {
      if (!backups[j].empty()) ::unlink(backups[j].c_str());
      ::unlink(temps[j].c_str());
    }
    return ErrnoError("Cannot write", contents[i].path, error);
  }
  for (const auto& backup : backups) {
    if (!backup.empty()) ::unlink(backup.c_str());
  }
  return Status::Ok();
}

void FileSystem::FinishInterruptedWrites(std::string_view folder) {
  const std::filesystem::path host = drives_.HostPath(folder);
  const std::filesystem::path journalPath = host / kJournalName;
  std::ifstream journal(journalPath, std::ios::binary);
  for (std::string line; std::getline(journal, line);) {
    const auto tab = line.find('\t');
    if (tab == std::string::npos) continue;
    const std::string temp = line.substr(0, tab);
    const std::string target = line.substr(tab + 1);
    // Only this folder's own temporary files are moved, and only within it:
    // a damaged journal moves nothing else.
    if (std::filesystem::path(temp).parent_path() != host || !IsTemporaryName(temp) ||
        std::filesystem::path(target).parent_path() != host) {
      continue;
    }
    // A file renamed before the kill is gone already; any other failure
    // leaves the journal and its files for the next start to try again.
    if (::rename(temp.c_str(), target.c_str()) != 0 && errno != ENOENT) return;
  }
  journal.close();
  ::unlink(journalPath.c_str());
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(host, ec)) {
    if (IsTemporaryName(entry.path().string())) std::filesystem::remove(entry.path(), ec);
  }
  SyncFolder(host);
}

}  // namespace kv
