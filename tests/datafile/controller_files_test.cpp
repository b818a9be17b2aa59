// SPDX-License-Identifier: GPL-3.0-or-later
// The CF card listing and fetch against the simulator over its real socket.
#include "datafile/controller_files.h"

#include <gtest/gtest.h>

#include "recording_view.h"
#include "sim_fixture.h"

namespace kv {
namespace {

using Frame = std::vector<std::uint8_t>;

// The frames as the listing and the fetch must send them: 64 bytes, body
// length, command, `parameters` from byte 8 and `name` from byte 12.
Frame CardFrame(std::uint16_t code, std::uint8_t body, Frame parameters, const std::string& name) {
  Frame frame(64, 0);
  frame[0] = 0xFF;
  frame[2] = body;
  frame[4] = 0x20;
  frame[6] = static_cast<std::uint8_t>(code);
  frame[7] = static_cast<std::uint8_t>(code >> 8);
  std::copy(parameters.begin(), parameters.end(), frame.begin() + 8);
  std::copy(name.begin(), name.end(), frame.begin() + 12);
  return frame;
}
Frame Count() {
  return CardFrame(0x7006, 4, {0, 0}, "");
}
Frame Entry(std::uint8_t index, const std::string& carried) {
  return CardFrame(0x7006, 4, {0, 1, index}, carried);
}
Frame Size(std::uint8_t index, const std::string& name) {
  return CardFrame(0x7007, 20, {0, 0, index}, name);
}
Frame Block(const std::string& name) {
  return CardFrame(0x7007, 32, {0, 1, 0x90, 0x01}, name);
}

// Numbered lines, so that every byte's place shows in the lines.
std::string Lines(std::size_t bytes) {
  std::string text;
  for (int i = 0; text.size() < bytes; ++i) text += "line " + std::to_string(i) + ";\r\n";
  return text.substr(0, bytes);
}

struct ProgressView : kvtest::RecordingView {
  void ShowProgress(int maximum) override { log += "show " + std::to_string(maximum) + ";"; }
  void SetProgress(int value) override { log += std::to_string(value) + ";"; }
  void HideProgress() override { log += "hide"; }
  std::string log;
};

class ControllerFilesTest : public ::testing::Test {
 protected:
  explicit ControllerFilesTest() { EXPECT_EQ(link.Open(), 0); }

  void SetCard(std::vector<kvsim::CardFile> card, std::string zeroSize = {}) {
    kvsim::Config config;
    config.cardFiles = std::move(card);
    config.cardZeroSize = std::move(zeroSize);
    sim.controller.SetConfig(std::move(config));
  }
  // The frames sent since the last call.
  std::vector<Frame> Sent() {
    std::vector<Frame> all = sim.controller.Requests();
    std::vector<Frame> fresh(all.begin() + static_cast<std::ptrdiff_t>(seen_), all.end());
    seen_ = all.size();
    return fresh;
  }

  kvtest::SimOverSocket sim;
  Link link{*sim.transport};

 private:
  std::size_t seen_ = 0;
};

TEST_F(ControllerFilesTest, ListsAndFetchesWithTheFramesByteExact) {
  SetCard({{"KV000001.TXT", Lines(1000)},
           {"KV000002.TXT", Lines(400)},
           {"KV000003.TXT", Lines(10)},
           {"KV000004.TXT", Lines(1400)},
           {"KV000005.TXT", "\n"}},
          "KV000003.TXT");
  Sent();
  const ControllerFileList list = ListControllerFiles(link);
  EXPECT_EQ(list.count, 5);
  EXPECT_EQ(list.entries,
            (std::vector<std::string>{
                "KV000001.TXT  2024/05/17,10:30,1000", "KV000002.TXT  2024/05/17,10:30,400",
                "KV000004.TXT  2024/05/17,10:30,1400", "KV000005.TXT  2024/05/17,10:30,1"}));
  // One buffer: size frames keep the entry index, entry frames the last name.
  EXPECT_EQ(Sent(),
            (std::vector<Frame>{Count(), Entry(0, ""), Size(0, "KV000001"), Entry(1, "KV000001"),
                                Size(1, "KV000002"), Entry(2, "KV000002"), Size(2, "KV000003"),
                                Entry(3, "KV000003"), Size(3, "KV000004"), Entry(4, "KV000004"),
                                Size(4, "KV000005")}));

  const struct {
    const char* name;
    std::string bytes;
    int blocks;
    std::string progress;
  } cases[] = {
      {"KV000001", Lines(1000), 3, "show 3;0;1;2;hide"},  // 2.5 rounds to 2
      {"KV000002", Lines(400), 2, "show 2;0;1;hide"},
      {"KV000004", Lines(1400), 5, "show 5;0;1;2;3;4;hide"},  // 3.5 rounds to 4
      {"KV000005", "\n", 1, "0;hide"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ProgressView view;
    DataLineList lines;
    EXPECT_EQ(FetchControllerFile(link, view, c.name, lines),
              static_cast<std::int32_t>(c.bytes.size()));
    std::vector<Frame> expected{Size(0, c.name)};  // new buffers: index 0
    expected.insert(expected.end(), static_cast<std::size_t>(c.blocks), Block(c.name));
    EXPECT_EQ(Sent(), expected);
    EXPECT_EQ(view.log, c.progress);
    // Every byte but the last.
    const DataLineList whole =
        DataLinesFromBytes(c.bytes.substr(0, c.bytes.size() - 1), kControllerFileLines).value();
    EXPECT_EQ(lines.DataLines, whole.DataLines);
    EXPECT_EQ(lines.LineCount, whole.LineCount);
  }

  // The fifth block of 1,400 bytes lies past the end: it needs no answer.
  kvsim::Config config = sim.controller.GetConfig();
  config.cardStopsAfter = 4;
  sim.controller.SetConfig(std::move(config));
  ProgressView view;
  DataLineList lines;
  EXPECT_EQ(FetchControllerFile(link, view, "KV000004", lines), 1400);
}

}  // namespace
}  // namespace kv
