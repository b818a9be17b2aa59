// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <algorithm>

#include "frames.h"
#include "platform/transport/transport.h"
#include "sim_fixture.h"

namespace kvsim::test {

using kvtest::Bytes;
using kvtest::Command;

inline const Bytes kStatusRequest = Command(0x2440, 4);
inline const Bytes kPrintKeyRequest = Command(0x2445, 4);

// Writes one frame and returns the reply to a 512-byte read.
inline Bytes Exchange(kv::Transport& transport, const Bytes& frame) {
  EXPECT_EQ(transport.write(frame), static_cast<int>(frame.size()));
  Bytes reply(512);
  reply.resize(static_cast<std::size_t>(std::max(transport.read(reply), 0)));
  return reply;
}

// The controller on its real loopback socket, opened through the program's transport.
class SimTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(sim.transport->open("Corvanet_KV"), 0); }
  Bytes Exchange(const Bytes& frame) { return test::Exchange(*sim.transport, frame); }

  kvtest::SimOverSocket sim;
  Controller& controller = sim.controller;
};

}  // namespace kvsim::test
