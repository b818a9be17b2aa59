// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/link.h"

#include <gtest/gtest.h>

#include <functional>

#include "link/frame_builders.h"
#include "sim_fixture.h"

namespace kv {
namespace {

using namespace std::chrono_literals;

// No answer, a late one and a closed link: ReadAllTest.AFailedReadLeavesEveryEarlierFile.
TEST(LinkTest, ExchangeTellsWhyAReplyCannotBeUsed) {
  using enum StatusCode;
  const std::atomic<bool> stop{true};
  const struct {
    const char* name;
    kvsim::Config config;
    std::function<void(Link&)> before;
    StatusCode code;
    std::int32_t received;
    bool sent;
  } cases[] = {
      {"just long enough", kvtest::Cut(10), [](Link&) {}, kOk, 10, true},
      {"short reply", kvtest::Cut(9), [](Link&) {}, kShortReply, 9, true},
      {"stop flag set", {}, [&](Link& link) { link.SetStopFlag(&stop); }, kCancelled, 0, false},
      {"deadline passed", kvsim::Config{},
       [](Link& link) { link.SetDeadline(Link::Clock::now() - 1ms); }, kTimedOut, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    kvtest::SimOverSocket sim(c.config);
    Link link(*sim.transport);
    ASSERT_EQ(link.Open(), 0);
    c.before(link);
    BeginCommandFrame(link, 0x2440, 4, 64);
    Status status = link.Exchange(10);
    EXPECT_EQ(status.code(), c.code) << status.description();
    EXPECT_EQ(link.ReceivedCount, c.received);
    EXPECT_EQ(sim.controller.Requests().size(), c.sent ? 1u : 0u);
  }
}

}  // namespace
}  // namespace kv
