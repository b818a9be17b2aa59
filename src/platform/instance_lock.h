// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace kv {

// The previous-instance test: one running program per working drive. The
// lock is an advisory file lock, so it is released when the process ends,
// also after a crash.
class InstanceLock {
 public:
  InstanceLock() = default;
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // True when no other process holds the lock for `key` (now held by this one).
  // When no lock file can be made the answer is true: better a second window
  // than no window.
  bool Acquire(std::string_view key);

 private:
  int fd_ = -1;
};

}  // namespace kv
