// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/link.h"

#include <gtest/gtest.h>

#include <functional>

#include "link/frame_builders.h"
#include "sim_fixture.h"

namespace kv {
namespace {

using namespace std::chrono_literals;

TEST(LinkTest, ExchangeTellsWhyAReplyCannotBeUsed) {
  using enum StatusCode;
  using Action = std::function<void(kvtest::SimOverSocket&, Link&)>;
  const std::atomic<bool> stop{true};
  const Action nothing = [](auto&, Link&) {};
  const Action stopServer = [](auto& sim, Link&) { sim.server.Stop(); };
  const Action setStop = [&](auto&, Link& link) { link.SetStopFlag(&stop); };
  const Action pastDeadline = [](auto&, Link& link) { link.SetDeadline(Link::Clock::now() - 1ms); };
  const struct {
    const char* name;
    kvsim::Config config;
    Action before;
    std::int32_t required;
    StatusCode code;
    std::int32_t received;
    bool sent;
  } cases[] = {
      {"whole reply", {}, nothing, 64, kOk, 64, true},
      {"just long enough", kvtest::Cut(10), nothing, 10, kOk, 10, true},
      {"short reply", kvtest::Cut(9), nothing, 10, kShortReply, 9, true},
      {"no answer", {.fault = kvsim::Fault::NoAnswer}, nothing, 10, kNoReply, 0, true},
      {"no answer in time", {.stallAt = 1}, nothing, 10, kNoReply, 0, true},
      {"link closed", {}, stopServer, 10, kLinkFailed, 0, false},
      {"stop flag set", {}, setStop, 10, kCancelled, 0, false},
      {"deadline passed", {}, pastDeadline, 10, kTimedOut, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    kvtest::SimOverSocket sim(c.config);
    TcpTransport transport(sim.Address(), c.config.stallAt ? 200ms : kDefaultReplyTimeout);
    Link link(transport);
    ASSERT_EQ(link.Open(), 0);
    c.before(sim, link);
    BeginCommandFrame(link, 0x2440, 4, 64);
    Status status = link.Exchange(c.required);
    EXPECT_EQ(status.code(), c.code) << status.description();
    EXPECT_EQ(link.ReceivedCount, c.received);
    EXPECT_EQ(sim.controller.Requests().size(), c.sent ? 1u : 0u);
  }
}

}  // namespace
}  // namespace kv
