// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/frame_builders.h"

#include <gtest/gtest.h>

#include <functional>

#include "sim_fixture.h"

namespace kv {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The listed bytes, then zeros up to `length`.
Bytes Frame(std::initializer_list<std::uint8_t> head, std::size_t length) {
  Bytes frame(head);
  frame.resize(length, 0);
  return frame;
}

TEST(FrameBuildersTest, EveryFrameIsSentByteExact) {
  kvsim::Config config;
  config.version = "  Ver 1.102";
  config.language = 3;
  config.unit = 1;
  config.evaluationFlag = 1;
  config.statuses = {0x0005};
  kvtest::SimOverSocket sim(config);
  Link link(*sim.transport);
  ASSERT_EQ(link.Open(), 0);

  struct Case {
    const char* name;
    std::function<std::int64_t()> send;
    Bytes frame;
    std::int64_t result;
  } cases[] = {
      {"status", [&] { return ReadControllerStatus(link); },
       Frame({0xFF, 0, 4, 0, 0x20, 0, 0x40, 0x24}, 64), 5},
      {"status control 1", [&] { return SetStatusControl(link, 1); },
       Frame({0xFF, 0, 6, 0, 0x20, 0, 0x43, 0x24, 1, 0}, 64), 1},
      {"status control 0", [&] { return SetStatusControl(link, 0); },
       Frame({0xFF, 0, 6, 0, 0x20, 0, 0x43, 0x24, 0, 0}, 64), 0},
      {"print key", [&] { return ReadPrintKeyState(link); },
       Frame({0xFF, 0, 4, 0, 0x20, 0, 0x45, 0x24}, 64), 0},
      {"output mode 1",
       [&] {
         SetOutputMode(link, 1);
         return sim.controller.OutputMode();
       },
       Frame({0xFF, 0, 4, 0, 0x20, 0, 0x11, 0x70, 1}, 64), 1},
      {"output mode 0",
       [&] {
         SetOutputMode(link, 0);
         return sim.controller.OutputMode();
       },
       Frame({0xFF, 0, 4, 0, 0x20, 0, 0x11, 0x70, 0}, 64), 0},
      {"start",
       [&] {
         SendStartCommand(link);
         return link.ReceivedCount;
       },
       Frame({0xFF, 0, 10, 0, 0x20, 0, 0x40, 0x21}, 64), 64},
      {"language", [&] { return ReadControllerMemory(link, kLanguageAddress); },
       Bytes{0xFF, 0, 0x10, 0, 0, 0x4D, 0, 0, 0, 0, 0x44, 0, 0xD8, 0xE5, 0x02, 0x08, 1, 0, 0x52, 0},
       3},
      {"unit", [&] { return ReadControllerMemory(link, kUnitAddress); },
       Bytes{0xFF, 0, 0x10, 0, 0, 0x4D, 0, 0, 0, 0, 0x44, 0, 0xD6, 0xE5, 0x02, 0x08, 1, 0, 0x52, 0},
       1},
      {"evaluation flag", [&] { return ReadControllerMemory(link, kEvaluationFlagAddress); },
       Bytes{0xFF, 0, 0x10, 0, 0, 0x4D, 0, 0, 0, 0, 0x44, 0, 0xA8, 0x5D, 0x00, 0x08, 1, 0, 0x52, 0},
       1},
      {"settings set B",
       [&] {
         auto s = ReadControllerSettings(link, 1);
         return s.UnitSetting * 10000 + s.LanguageIndex * 100 + s.EvaluationFlag;
       },
       Frame({0xFF, 0, 6, 0, 0x20, 0, 0x01, 0x70, 0, 1}, 64), 10301},
      {"version", [&] { return static_cast<std::int64_t>(ReadControllerVersion(link).size()); },
       Bytes{0xFF, 0, 0x0C, 0, 0, 0x41, 0, 0, 0, 0, 0x44, 0, 0, 0, 0, 0}, 50},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.send(), c.result) << c.name;
    ASSERT_FALSE(sim.controller.Requests().empty());
    EXPECT_EQ(sim.controller.Requests().back(), c.frame) << c.name;
  }
}

TEST(FrameBuildersTest, VersionTextKeepsItsNulsAndLosesItsSpaces) {
  kvsim::Config config;
  config.version = "  Ver 1.102";
  kvtest::SimOverSocket sim(config);
  Link link(*sim.transport);
  ASSERT_EQ(link.Open(), 0);
  EXPECT_EQ(ReadControllerVersion(link), "Ver 1.102" + std::string(41, '\0'));

  config.fault = kvsim::Fault::NoAnswer;
  sim.controller.SetConfig(config);
  EXPECT_EQ(ReadControllerVersion(link), "");
}

TEST(FrameBuildersTest, PrintKeyIsReportedOnce) {
  kvtest::SimOverSocket sim;
  Link link(*sim.transport);
  ASSERT_EQ(link.Open(), 0);
  sim.controller.PressPrintKey();
  EXPECT_EQ(ReadPrintKeyState(link), 16);
  EXPECT_EQ(ReadPrintKeyState(link), 0);
}

}  // namespace
}  // namespace kv
