// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

namespace kv {

// The previous-instance test: one running program per working drive. The
// lock is an advisory lock on the drive's folder, so it is released when the
// process ends, also after a crash.
class InstanceLock {
 public:
  InstanceLock() = default;
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // True when no other process holds the lock of `folder` (now held by this one).
  bool Acquire(const std::filesystem::path& folder);

 private:
  int fd_ = -1;
};

}  // namespace kv
