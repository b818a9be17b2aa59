// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/instance_lock.h"

#include <gtest/gtest.h>

#include <memory>

#include "temp_folder.h"

namespace kv {
namespace {

// The folder itself is locked: another spelling of it meets the same lock.
TEST(InstanceLockTest, OneHolderPerFolderUntilReleased) {
  kvtest::TempFolder drive, other;
  std::filesystem::create_directory_symlink(drive.path(), other.path() / "link");
  auto first = std::make_unique<InstanceLock>();
  InstanceLock second, third;
  EXPECT_TRUE(first->Acquire(drive.path()));
  EXPECT_FALSE(second.Acquire(drive.path() / "."));
  EXPECT_FALSE(second.Acquire(other.path() / "link/"));
  EXPECT_TRUE(third.Acquire(other.path()));
  first.reset();
  EXPECT_TRUE(second.Acquire(drive.path()));
}

}  // namespace
}  // namespace kv
