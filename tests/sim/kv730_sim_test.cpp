// SPDX-License-Identifier: GPL-3.0-or-later
// The kv730-sim executable as a person or a script runs it.
#include <csignal>
#include <string>

#include "child_process.h"
#include "socket_fixture.h"
#include "temp_folder.h"

namespace kvsim::test {
namespace {

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
  kvtest::ChildProcess sim(KV730_SIM_PATH, {"--port", "0", "--fault", "short-answer"});
  kv::TcpTransport controller(ListeningAddress(sim));
  sim.CloseInput();
  ASSERT_EQ(controller.open("Corvanet_KV"), 0);
  EXPECT_EQ(Exchange(controller, kStatusRequest).size(), 8u);
  sim.Signal(SIGTERM);
  EXPECT_EQ(sim.Wait(), 0);
}

TEST(Kv730SimTest, RejectsBadOptions) {
  // Each an option and its value; a trailing space gives an empty value.
  const std::string version = "--version " + std::string(53, 'x');
  // clang-format off
  const char* const cases[] = {
      "--bogus", "--port 70000", "--port -1", "--language", "--unit 256", "--status 0x10,",
      "--status 0x10000", "--fault sometimes", "--short-length 513", version.c_str(), "--seed -1",
      "--points 15", "--points 50002", "--cutoff-code 8", "--pitch-code 7", "--profile /nonexistent",
      "--evaluation-total 50002", "--graph-total 3=5", "--graph-total 1", "--graph-total 1=10001",
      "--records-per-reply 1001", "--profile-stops-after never", "--card-folder /nonexistent",
      "--card-zero-size ", "--card-stops-after -1", "--data-file-unit mm",
      "--data-file-line-ends cr", "--write-data-file "};
  // clang-format on
  for (const std::string line : cases) {
    SCOPED_TRACE(line);
    const std::size_t space = line.find(' ');
    std::vector<std::string> arguments = {line.substr(0, space)};
    if (space != std::string::npos) arguments.push_back(line.substr(space + 1));
    kvtest::ChildProcess sim(KV730_SIM_PATH, arguments);
    EXPECT_EQ(sim.Wait(), 2);
    EXPECT_NE(sim.ErrorOutput().find(arguments.front()), std::string::npos);
  }
}

TEST(Kv730SimTest, ServesTheProfileFileAndTheCardFolderItIsGiven) {
  kvtest::TempFolder folder;
  std::string values;
  for (int i = 1; i <= 40; ++i) values += std::to_string(i * 0.5) + "\n";
  kvtest::WriteBytes(folder.path() / "profile.txt", values);
  const auto card = folder.path() / "card";
  kvtest::WriteBytes(card / "B.TXT", "bee\n");
  kvtest::WriteBytes(card / "a.txt", std::string(500, 'a'));
  kvtest::WriteBytes(card / "LONGNAME01.TXT", "long\n");
  kvtest::WriteBytes(card / "notes.md", "not on the card\n");
  kvtest::ChildProcess sim(
      KV730_SIM_PATH,
      {"--port", "0", "--profile", (folder.path() / "profile.txt").string(), "--records-per-reply",
       "16", "--profile-stops-after", "3", "--evaluation-total", "7", "--graph-total", "1=13",
       "--card-folder", card.string(), "--card-zero-size", "B.TXT", "--card-stops-after", "1"});
  kv::TcpTransport controller(ListeningAddress(sim));
  ASSERT_EQ(controller.open("Corvanet_KV"), 0);
  sim.CloseInput();

  // 16 records a reply, the 16th value still inside the 320 bytes; silent after three.
  const Bytes profile = Exchange(controller, kProfileRequest);
  ASSERT_EQ(profile.size(), 320u);
  EXPECT_EQ(Bytes(profile.begin() + 8, profile.begin() + 20),
            Joined({Le(16, 4), DoubleBytes(0.5)}));
  EXPECT_EQ(Bytes(profile.begin() + 312, profile.end()), DoubleBytes(8.0));
  EXPECT_EQ(LeAt(Exchange(controller, kProfileRequest), 8, 4), 16);
  EXPECT_EQ(LeAt(Exchange(controller, kProfileRequest), 8, 4), 8);
  EXPECT_EQ(Exchange(controller, kProfileRequest), Bytes{});
  EXPECT_EQ(LeAt(Exchange(controller, SizeRequest(0x7004, 0, 0)), 12, 4), 7);
  EXPECT_EQ(LeAt(Exchange(controller, SizeRequest(0x7005, 1, 0)), 12, 4), 13);

  // The card: its *.TXT files in name order, one reported with size 0.
  EXPECT_EQ(LeAt(Exchange(controller, Command(0x7006, 4, {0, 0})), 10, 2), 3);
  std::string names;
  for (std::uint8_t i = 0; i < 3; ++i) {
    const Bytes reply = Exchange(controller, Command(0x7006, 4, {0, 1, i}));
    names += std::string(reply.begin() + 24, std::find(reply.begin() + 24, reply.end(), 0)) + " ";
  }
  EXPECT_EQ(names, "B.TXT LONGNAME01.TXT a.txt ");
  EXPECT_EQ(LeAt(Exchange(controller, Patched(Command(0x7007, 20), 12, {'B'})), 24, 4), 0);
  EXPECT_EQ(LeAt(Exchange(controller, Patched(Command(0x7007, 20), 12, {'a'})), 24, 4), 500);
  const Bytes block = Command(0x7007, 32, {0, 1, 0x90, 0x01, 'a'});
  EXPECT_EQ(Exchange(controller, block).at(427), 'a');
  EXPECT_EQ(Exchange(controller, block), Bytes{});  // silent after one content reply
  sim.Signal(SIGINT);
  EXPECT_EQ(sim.Wait(), 0);
}

}  // namespace
}  // namespace kvsim::test
