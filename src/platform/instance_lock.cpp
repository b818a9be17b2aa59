// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace kv {

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

// The lock is taken on the folder itself: every path that reaches it, by
// any spelling or link, meets the same lock, and no lock file is left.
bool InstanceLock::Acquire(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return true;  // a folder that cannot be opened fails start-up later, with its cause
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  if (fd_ >= 0) ::close(fd_);
  fd_ = fd;
  return true;
}

}  // namespace kv
