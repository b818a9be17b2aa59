// SPDX-License-Identifier: GPL-3.0-or-later
// The controller over its real loopback socket: replies, refusals, state.
#include <memory>
#include <string>
#include <utility>

#include "sim/loopback_session.h"
#include "socket_fixture.h"

namespace kvsim::test {
namespace {

const Bytes kMemoryRead = {0xFF, 0x00, 0x10, 0x00, 0x00, 0x4D, 0x00, 0x00, 0x00, 0x00,
                           0x44, 0x00, 0xD8, 0xE5, 0x02, 0x08, 0x01, 0x00, 0x52, 0x00};

TEST_F(SimTest, AnswersEachRequestByteExact) {
  Config config;
  config.version = "Ver 1.103" + std::string(50, 'x');  // cut to the 52 bytes of the reply
  config.language = 3;
  config.statuses = {0x0105};
  controller.SetConfig(config);
  const Bytes memoryReply = Patched(Bytes(64), 0, {0xFF, 0x00, 0x3C, 0x00, 0x00, 0x4D, 0x00, 0x00});
  const struct {
    const char* name;
    Bytes request;
    Bytes reply;
  } cases[] = {
      {"version", kVersionRequest,
       Patched(Patched(Bytes(64), 0, {0xFF, 0x00, 0x3C, 0x00, 0x00, 0x41, 0x00, 0x00}), 12,
               Text(config.version.substr(0, 52)))},
      {"language", Patched(kMemoryRead, 12, {0xD8, 0xE5, 0x02, 0x08}),
       Patched(memoryReply, 20, {3})},
      {"other address", Patched(kMemoryRead, 12, {0x00, 0x10, 0x00, 0x08}), memoryReply},
      {"status", kStatusRequest, Command(0x2440, 0x3C, {0x05, 0x01})},
      {"status control", Command(0x2443, 6, {0xEF, 0xBE}),
       Command(0x2443, 0x3C, {0xEF, 0xBE, 0x00, 0x00})},
      {"print key", kPrintKeyRequest, Command(0x2445, 0x3C)},
      {"output mode", Command(0x7011, 4, {0x01}), Command(0x7011, 0x3C)},
      {"measurement start", Command(0x2140, 10), Command(0x2140, 0x3C)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Exchange(c.request), c.reply);
  }
  // A short answer longer than the reply still ends with the reply.
  config.fault = Fault::ShortAnswer;
  config.shortLength = 512;
  controller.SetConfig(config);
  EXPECT_EQ(Exchange(kStatusRequest), Command(0x2440, 0x3C, {0x05, 0x01}));
}

// The readers' frames; the link's own are checked byte-exact where they are built.
TEST_F(SimTest, GivesNoReplyToAFrameWithAnyByteOutOfPlace) {
  const struct {
    const char* name;
    Bytes frame;
    std::vector<std::pair<std::size_t, std::uint8_t>> spoilt;  // byte, value
  } cases[] = {
      {"header",
       kStatusRequest,
       {{0, 0xFE}, {1, 1}, {2, 6}, {3, 1}, {4, 0x21}, {5, 1}, {6, 0x41}, {63, 1}}},
      {"settings", Command(0x7001, 6), {{8, 1}, {9, 2}}},
      {"parameter count", ParameterRequest(0, 0, 0), {{2, 6}, {8, 2}, {9, 2}, {10, 1}}},
      {"parameter record", ParameterRequest(1, 1, 3), {{11, 1}, {12, 1}}},
      {"evaluation size", SizeRequest(0x7004, 0, 0), {{8, 1}, {9, 2}, {10, 2}, {12, 10}}},
      {"evaluation block", BlockRequest(0x7004, 0, 1), {{2, 8}, {12, 1}, {16, 1}}},
      {"graph block", BlockRequest(0x7005, 2, 1), {{8, 3}, {11, 1}}},
      {"profile", kProfileRequest, {{2, 8}, {8, 9}, {12, 1}}},
  };
  for (const auto& c : cases) {
    EXPECT_NE(Exchange(c.frame), Bytes{}) << c.name;
    for (const auto& [at, value] : c.spoilt) {
      SCOPED_TRACE(testing::Message() << c.name << ", byte " << at << " = " << int{value});
      // A reply still waiting must not survive the bad frame either.
      ASSERT_EQ(sim.transport->write(kStatusRequest), 64);
      EXPECT_EQ(Exchange(Patched(c.frame, at, {value})), Bytes{});
    }
  }
  for (const Bytes& frame : {Bytes{}, Bytes(kStatusRequest.begin(), kStatusRequest.end() - 1),
                             Joined({kStatusRequest, {0}})}) {
    EXPECT_EQ(Exchange(frame), Bytes{}) << frame.size() << " bytes";
  }
}

TEST_F(SimTest, KeepsItsStateAcrossConnectionsAndAnswersOnlyWhileOpen) {
  Config config;
  config.statuses = {1, 2};
  controller.SetConfig(config);
  const Bytes printKeyMode = Command(0x7011, 4, {0x01});
  const Bytes bad = {0x00};
  EXPECT_EQ(Exchange(kStatusRequest).at(8), 1);
  EXPECT_EQ(Exchange(printKeyMode).size(), 64u);
  EXPECT_EQ(Exchange(bad), Bytes{});
  controller.PressPrintKey();
  // A read larger than the protocol allows ends the connection.
  Bytes huge(LoopbackSession::kMaxPayload + 1);
  EXPECT_EQ(sim.transport->read(huge), 0);
  EXPECT_EQ(sim.transport->write(kStatusRequest), 0);

  // The next connection: only the device name opens; until then nothing is answered.
  sim.transport = std::make_unique<kv::TcpTransport>(sim.Address());
  for (const char* name : {"Corvanet_K", "corvanet_kv", "Corvanet_KV2", ""}) {
    EXPECT_EQ(sim.transport->open(name), 1) << name;
  }
  EXPECT_EQ(sim.transport->write(kStatusRequest), 0);
  ASSERT_EQ(controller.Open(std::string_view("Corvanet_KV\0junk", 16)), 0);
  EXPECT_EQ(Exchange(kStatusRequest).at(8), 2);
  EXPECT_EQ(Exchange(kStatusRequest).at(8), 2);  // the last status sticks
  EXPECT_EQ(Exchange(kPrintKeyRequest).at(8), 16);
  EXPECT_EQ(controller.OutputMode(), 1);
  EXPECT_EQ(controller.Requests(),
            (std::vector<Bytes>{kStatusRequest, printKeyMode, bad, kStatusRequest, kStatusRequest,
                                kStatusRequest, kPrintKeyRequest}));
  controller.SetConfig(config);  // the statuses start again
  EXPECT_EQ(Exchange(kStatusRequest).at(8), 1);
  sim.transport->close();
  EXPECT_EQ(controller.Write(kStatusRequest), 0);
}

}  // namespace
}  // namespace kvsim::test
