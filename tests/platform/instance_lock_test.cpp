// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/instance_lock.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(InstanceLockTest, OneHolderPerKeyUntilReleased) {
  auto first = std::make_unique<InstanceLock>();
  InstanceLock second;
  InstanceLock other;
  EXPECT_TRUE(first->Acquire("/tmp/kv-lock-test-drive"));
  EXPECT_FALSE(second.Acquire("/tmp/kv-lock-test-drive"));
  EXPECT_TRUE(other.Acquire("/tmp/kv-lock-test-other-drive"));
  first.reset();
  EXPECT_TRUE(second.Acquire("/tmp/kv-lock-test-drive"));
}

}  // namespace
}  // namespace kv
