// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/frame_builders.h"

#include <gtest/gtest.h>

#include <functional>

#include "frames.h"
#include "sim_fixture.h"

namespace kv {
namespace {

using kvtest::Bytes;
using kvtest::Command;

// The memory-read frame of an address, given low byte first.
Bytes MemoryRead(std::uint8_t a0, std::uint8_t a1, std::uint8_t a2, std::uint8_t a3) {
  return {0xFF, 0, 0x10, 0, 0, 0x4D, 0, 0, 0, 0, 0x44, 0, a0, a1, a2, a3, 1, 0, 0x52, 0};
}

// A builder's field as one number; -1 when the builder failed.
template <typename T>
std::int64_t Value(const Result<T>& result) {
  return result.ok() ? static_cast<std::int64_t>(result.value()) : -1;
}
std::int64_t Value(const Status& status) {
  return status.ok() ? 1 : -1;
}

// Each frame byte-exact, its reply fields read, and the reply refused when
// it ends before the last field the builder takes.
TEST(FrameBuildersTest, EveryFrameIsSentByteExactAndItsReplyMustHoldItsFields) {
  const kvsim::Config config{.version = "  Ver 1.102",
                             .language = 3,
                             .unit = 1,
                             .evaluationFlag = 1,
                             .statuses = {0x0005}};
  kvtest::SimOverSocket sim(config);
  Link link(*sim.transport);
  ASSERT_EQ(link.Open(), 0);
  kvsim::Controller& controller = sim.controller;
  const auto memory = [&](std::uint32_t address) {
    return Value(ReadControllerMemory(link, address));
  };
  const struct {
    const char* name;
    std::function<std::int64_t()> send;
    Bytes frame;
    std::int64_t result;
    std::size_t needed;  // reply bytes
  } cases[] = {
      {"status", [&] { return Value(ReadControllerStatus(link)); }, Command(0x2440, 4), 5, 10},
      {"status control 1", [&] { return Value(SetStatusControl(link, 1)); },
       Command(0x2443, 6, {1, 0}), 1, 1},
      {"print key",
       [&] {
         controller.PressPrintKey();
         return Value(ReadPrintKeyState(link));
       },
       Command(0x2445, 4), 16, 12},
      {"output mode 1", [&] { return SetOutputMode(link, 1).ok() ? controller.OutputMode() : -1; },
       Command(0x7011, 4, {1}), 1, 1},
      {"start", [&] { return Value(SendStartCommand(link)); }, Command(0x2140, 10), 1, 1},
      {"language", [&] { return memory(kLanguageAddress); }, MemoryRead(0xD8, 0xE5, 0x02, 0x08), 3,
       21},
      {"unit", [&] { return memory(kUnitAddress); }, MemoryRead(0xD6, 0xE5, 0x02, 0x08), 1, 21},
      {"evaluation flag", [&] { return memory(kEvaluationFlagAddress); },
       MemoryRead(0xA8, 0x5D, 0x00, 0x08), 1, 21},
      {"settings set B",
       [&] {
         auto s = ReadControllerSettings(link, 1);
         return s.ok() ? s.value().UnitSetting * 100 + s.value().LanguageIndex * 10 +
                             s.value().EvaluationFlag
                       : -1;
       },
       Command(0x7001, 6, {0, 1}), 131, kSettingsReplyBytes},
      {"version",  // NUL bytes belong to the text; only spaces are stripped
       [&] {
         auto text = ReadControllerVersion(link);
         return text.ok() ? text.value() == "Ver 1.102" + std::string(41, '\0') : -1;
       },
       Bytes{0xFF, 0, 0x0C, 0, 0, 0x41, 0, 0, 0, 0, 0x44, 0, 0, 0, 0, 0}, 1, 15},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (std::size_t length : {std::size_t{512}, c.needed, c.needed - 1}) {
      kvsim::Config cut = config;
      cut.fault = kvsim::Fault::ShortAnswer;
      cut.shortLength = length;
      controller.SetConfig(cut);
      const std::int64_t got = c.send();
      EXPECT_EQ(got < 0, length < c.needed) << length;
      if (length == 512) {
        EXPECT_EQ(got, c.result);
      }
      EXPECT_EQ(controller.Requests().back(), c.frame);
    }
  }
  // A version reply of NUL bytes only carries no version.
  controller.SetConfig({.version = ""});
  EXPECT_EQ(ReadControllerVersion(link).status().code(), StatusCode::kShortReply);
}

}  // namespace
}  // namespace kv
