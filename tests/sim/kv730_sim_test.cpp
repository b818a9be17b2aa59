// SPDX-License-Identifier: GPL-3.0-or-later
// The kv730-sim command line, parsed in this process, and the executable as a
// person or a script runs it.
#include "sim/options.h"

#include <array>
#include <csignal>
#include <sstream>
#include <string>
#include <tuple>

#include "child_process.h"
#include "socket_fixture.h"
#include "temp_folder.h"

namespace kvsim::test {
namespace {

// The words of `line`; a trailing space gives an empty last word.
ParsedOptions Parse(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream in(line);
  for (std::string word; std::getline(in, word, ' ');) words.push_back(word);
  if (line.ends_with(' ')) words.emplace_back();
  std::vector<const char*> arguments;
  for (const std::string& word : words) arguments.push_back(word.c_str());
  return ParseOptions(arguments);
}

TEST(OptionsTest, EachOptionSetsWhatItNames) {
  const ParsedOptions parsed = Parse(
      "--port 0x1662 --status 0x10,0,3 --graph-total 2=7 --drop-after 5 --zero-reply-at 1 "
      "--stall-at 9 --reply-delay-ms 1000 --data-file-unit inch --log --help");
  ASSERT_TRUE(parsed.options) << parsed.problem;
  const Options& o = *parsed.options;
  EXPECT_TRUE(o.port == 5730 && o.help && o.config.log && o.dataFileInch == true);
  EXPECT_EQ(o.config.statuses, (std::vector<std::uint16_t>{16, 0, 3}));
  EXPECT_EQ(o.config.graphTotals, (std::array<std::size_t, 3>{51, 101, 7}));
  EXPECT_EQ(o.config.dropAfter, 5u);
  EXPECT_EQ(o.config.zeroReplyAt, 1u);
  EXPECT_EQ(o.config.stallAt, 9u);
  EXPECT_EQ(o.config.replyDelayMs, 1000u);
}

TEST(OptionsTest, RejectsBadOptionsNamingThem) {
  const std::string version = "--version " + std::string(53, 'x');
  // clang-format off
  const char* const cases[] = {
      "--bogus", "--port 70000", "--port -1", "--language", "--unit 256", "--status 0x10,",
      "--status 0x10000", "--fault sometimes", "--short-length 513", version.c_str(), "--seed -1",
      "--points 15", "--points 50002", "--cutoff-code 8", "--pitch-code 7", "--profile /nonexistent",
      "--evaluation-total 50002", "--graph-total 3=5", "--graph-total 1", "--graph-total 1=10001",
      "--records-per-reply 1001", "--profile-stops-after never", "--card-folder /nonexistent",
      "--card-zero-size ", "--card-stops-after -1", "--data-file-unit mm",
      "--data-file-line-ends cr", "--write-data-file ", "--drop-after 0", "--zero-reply-at 0x",
      "--stall-at 0", "--reply-delay-ms 1001"};
  // clang-format on
  for (const std::string line : cases) {
    const ParsedOptions parsed = Parse(line);
    EXPECT_FALSE(parsed.options) << line;
    EXPECT_NE(parsed.problem.find(line.substr(0, line.find(' '))), std::string::npos) << line;
  }
}

TEST(OptionsTest, TheProfileFileAndTheCardFolderAreReadOrRefusedWithTheReason) {
  kvtest::TempFolder folder;
  // `content` and `zeros` lines of 0 as the profile file.
  const auto Profile = [&folder](std::string content, std::size_t zeros) {
    for (std::size_t i = 0; i < zeros; ++i) content += "\n0";
    kvtest::WriteBytes(folder.path() / "profile.txt", content);
    return Parse("--profile " + (folder.path() / "profile.txt").string());
  };
  const ParsedOptions loaded = Profile(" 1.5\r\n\n-2e-1\t\n3", 14);
  ASSERT_TRUE(loaded.options) << loaded.problem;
  std::vector<double> values{1.5, -0.2, 3};
  values.resize(17);
  EXPECT_EQ(loaded.options->config.profile, values);
  const std::tuple<std::string, std::size_t, std::string> refused[] = {
      {"0\n1,5", 20, "line 2 (\"1,5\") is not a number"},  // the line counts from 1
      {"inf", 20, "(\"inf\") is not a number"},
      {"1", 14, "holds 15 values, at least 16"},
      {"1", 50001, "more than 50001 values"},
  };
  for (const auto& [content, zeros, problem] : refused) {
    EXPECT_NE(Profile(content, zeros).problem.find(problem), std::string::npos) << problem;
  }

  const auto card = folder.path() / "card";
  kvtest::WriteBytes(card / "B.TXT", "bee\n");
  kvtest::WriteBytes(card / "a.txt", std::string(500, 'a'));
  kvtest::WriteBytes(card / "LONGNAME01.TXT", "long\n");
  kvtest::WriteBytes(card / "notes.md", "not on the card\n");
  const ParsedOptions parsed = Parse("--card-folder " + card.string());
  ASSERT_TRUE(parsed.options) << parsed.problem;
  std::string names;
  for (const CardFile& file : *parsed.options->config.cardFiles) {
    names += file.name + " " + std::to_string(file.bytes.size()) + ", ";
  }
  EXPECT_EQ(names, "B.TXT 4, LONGNAME01.TXT 5, a.txt 500, ");
}

// The address of the first line, "listening on PORT"; empty when the line is wrong.
std::string ListeningAddress(kvtest::ChildProcess& sim) {
  const std::string line = sim.ReadLine().value_or("");
  return line.starts_with("listening on ") ? "127.0.0.1:" + line.substr(13) : "";
}

TEST(Kv730SimTest, TakesOperatorInputWhileServingAndQuits) {
  kvtest::ChildProcess sim(KV730_SIM_PATH, {"--port", "0", "--log"});
  kv::TcpTransport controller(ListeningAddress(sim));
  ASSERT_EQ(controller.open("Corvanet_KV"), 0);
  sim.WriteInput("print\nstatus 0x0010\n");
  EXPECT_EQ(sim.ReadLine(), "print key pressed");
  EXPECT_EQ(sim.ReadLine(), "status 0x0010");
  EXPECT_EQ(Exchange(controller, kPrintKeyRequest).at(8), 16);
  EXPECT_EQ(Exchange(controller, kStatusRequest).at(8), 0x10);
  sim.WriteInput("quit\n");
  EXPECT_EQ(sim.Wait(), 0);
  EXPECT_NE(sim.ErrorOutput().find("> FF 00 04 00 20 00 45 24 00 00"), std::string::npos);
}

TEST(Kv730SimTest, OutlivesTheEndOfInputAndStopsOnSignal) {
  kvtest::ChildProcess sim(KV730_SIM_PATH, {"--port", "0", "--zero-reply-at", "1"});
  kv::TcpTransport controller(ListeningAddress(sim));
  sim.CloseInput();
  ASSERT_EQ(controller.open("Corvanet_KV"), 0);
  EXPECT_EQ(Exchange(controller, kStatusRequest).size(), 0u);
  EXPECT_EQ(Exchange(controller, kStatusRequest).size(), 64u);
  sim.Signal(SIGTERM);
  EXPECT_EQ(sim.Wait(), 0);
}

}  // namespace
}  // namespace kvsim::test
