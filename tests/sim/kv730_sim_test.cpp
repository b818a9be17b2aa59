// SPDX-License-Identifier: GPL-3.0-or-later
// The kv730-sim executable as a person or a script runs it.
#include <csignal>
#include <string>

#include "child_process.h"
#include "socket_fixture.h"
#include "temp_folder.h"

namespace kvsim::test {
namespace {

// Reads "listening on PORT" and returns the port (0 when the line is wrong).
std::uint16_t ListeningPort(kvtest::ChildProcess& sim) {
  const std::optional<std::string> line = sim.ReadLine();
  const std::string prefix = "listening on ";
  if (!line || !line->starts_with(prefix)) return 0;
  const int port = std::stoi(line->substr(prefix.size()));
  return std::to_string(port) == line->substr(prefix.size()) ? static_cast<std::uint16_t>(port) : 0;
}

TEST(Kv730SimTest, ServesTakesOperatorInputAndQuits) {
  kvtest::ChildProcess sim(KV730_SIM_PATH, {"--port", "0", "--log", "--version", "Ver 2.000"});
  const std::uint16_t port = ListeningPort(sim);
  ASSERT_NE(port, 0);
  LoopbackClient client(port);
  ASSERT_EQ(client.Open("Corvanet_KV"), 0);
  ASSERT_EQ(client.Write(kVersionRequest), 16);
  const auto version = client.Read(64);
  ASSERT_TRUE(version);
  EXPECT_EQ(std::string(version->begin() + 12, version->begin() + 21), "Ver 2.000");

  sim.WriteInput("print\nstatus 0x0010\n");
  EXPECT_EQ(sim.ReadLine(), "print key pressed");
  EXPECT_EQ(sim.ReadLine(), "status 0x0010");
  ASSERT_EQ(client.Write(kPrintKeyRequest), 64);
  EXPECT_EQ(client.Read(64).value_or(Bytes(9)).at(8), 16);
  ASSERT_EQ(client.Write(kStatusRequest), 64);
  EXPECT_EQ(client.Read(64).value_or(Bytes(9)).at(8), 0x10);

  sim.WriteInput("quit\n");
  EXPECT_EQ(sim.Wait(), 0);
  EXPECT_NE(sim.ErrorOutput().find("> FF 00 0C 00 00 41 00 00 00 00 44 00 00 00 00 00\n"),
            std::string::npos);
}

TEST(Kv730SimTest, OutlivesTheEndOfInputAndStopsOnSignal) {
  for (const int signal : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(signal);
    kvtest::ChildProcess sim(KV730_SIM_PATH, {"--port", "0", "--fault", "short-answer"});
    const std::uint16_t port = ListeningPort(sim);
    ASSERT_NE(port, 0);
    sim.CloseInput();
    LoopbackClient client(port);
    ASSERT_EQ(client.Open("Corvanet_KV"), 0);
    ASSERT_EQ(client.Write(kStatusRequest), 64);
    EXPECT_EQ(client.Read(64)->size(), 8u);
    sim.Signal(signal);
    EXPECT_EQ(sim.Wait(), 0);
  }
}

TEST(Kv730SimTest, RejectsBadOptions) {
  const std::vector<std::string> cases[] = {
      {"--bogus"},
      {"--port", "70000"},
      {"--port", "-1"},
      {"--language"},
      {"--unit", "256"},
      {"--status", "0x10,"},
      {"--status", "0x10000"},
      {"--fault", "sometimes"},
      {"--short-length", "513"},
      {"--version", std::string(53, 'x')},
      {"--seed", "-1"},
      {"--points", "15"},
      {"--points", "50002"},
      {"--cutoff-code", "8"},
      {"--pitch-code", "7"},
      {"--profile", "/nonexistent/profile.txt"},
      {"--evaluation-total", "50002"},
      {"--graph-total", "3=5"},
      {"--graph-total", "1"},
      {"--graph-total", "1=10001"},
      {"--records-per-reply", "1001"},
      {"--profile-stops-after", "never"},
      {"--card-folder", "/nonexistent/card"},
      {"--card-zero-size", ""},
      {"--card-stops-after", "-1"},
  };
  for (const auto& arguments : cases) {
    SCOPED_TRACE(arguments.front());
    kvtest::ChildProcess sim(KV730_SIM_PATH, arguments);
    EXPECT_EQ(sim.Wait(), 2);
    EXPECT_NE(sim.ErrorOutput().find(arguments.front()), std::string::npos);
  }
}

TEST(Kv730SimTest, ServesTheMeasurementOfAProfileFile) {
  kvtest::TempFolder folder;
  std::string values;
  for (int i = 0; i < 40; ++i) values += std::to_string(i * 0.5) + "\n";
  const auto path = folder.path() / "profile.txt";
  kvtest::WriteBytes(path, values);
  kvtest::ChildProcess sim(KV730_SIM_PATH, {"--profile", path.string(), "--records-per-reply", "16",
                                            "--profile-stops-after", "3", "--evaluation-total", "7",
                                            "--graph-total", "1=13"});
  const std::uint16_t port = ListeningPort(sim);
  ASSERT_NE(port, 0);
  LoopbackClient client(port);
  ASSERT_EQ(client.Open("Corvanet_KV"), 0);
  const auto Exchange = [&client](const Bytes& frame) {
    EXPECT_EQ(client.Write(frame), 64);
    return client.Read(512).value_or(Bytes{0xEE});
  };

  // 16 records reported, the value of the 16th still inside the 320 bytes.
  const Bytes profileRequest = Command(0x2340, 6, {10});
  for (const int first : {0, 16}) {
    const Bytes reply = Exchange(profileRequest);
    ASSERT_EQ(reply.size(), 320u);
    EXPECT_EQ(LeAt(reply, 8, 4), 16);
    EXPECT_EQ(DoubleAt(reply, 12), first * 0.5);
    EXPECT_EQ(DoubleAt(reply, 312), (first + 15) * 0.5);
  }
  EXPECT_EQ(LeAt(Exchange(profileRequest), 8, 4), 8);
  EXPECT_EQ(Exchange(profileRequest), Bytes{});  // silent after three replies

  EXPECT_EQ(LeAt(Exchange(Command(0x7004, 12, {0, 0, 0, 0, 1})), 12, 4), 7);
  EXPECT_EQ(LeAt(Exchange(Command(0x7005, 12, {1, 1, 0, 0, 1})), 12, 4), 13);
  sim.WriteInput("quit\n");
  EXPECT_EQ(sim.Wait(), 0);
}

TEST(Kv730SimTest, ServesTheCardOfAFolder) {
  kvtest::TempFolder folder;
  kvtest::WriteBytes(folder.path() / "B.TXT", "bee\n");
  kvtest::WriteBytes(folder.path() / "a.txt", std::string(500, 'a'));
  kvtest::WriteBytes(folder.path() / "LONGNAME01.TXT", "long\n");
  kvtest::WriteBytes(folder.path() / "notes.md", "not on the card\n");
  kvtest::ChildProcess sim(KV730_SIM_PATH,
                           {"--card-folder", folder.path().string(), "--card-zero-size", "B.TXT",
                            "--card-stops-after", "1"});
  const std::uint16_t port = ListeningPort(sim);
  ASSERT_NE(port, 0);
  LoopbackClient client(port);
  ASSERT_EQ(client.Open("Corvanet_KV"), 0);
  const auto Exchange = [&client](const Bytes& frame) {
    EXPECT_EQ(client.Write(frame), 64);
    return client.Read(512).value_or(Bytes{0xEE});
  };
  const auto Named = [](Bytes frame, const std::string& name) {
    return Patched(frame, 12, Bytes(name.begin(), name.end()));
  };

  EXPECT_EQ(LeAt(Exchange(Command(0x7006, 4, {0, 0})), 10, 2), 3);
  std::vector<std::string> names;
  for (std::uint8_t i = 0; i < 3; ++i) {
    const Bytes reply = Exchange(Command(0x7006, 4, {0, 1, i}));
    names.emplace_back(reply.begin() + 24, std::find(reply.begin() + 24, reply.end(), 0));
  }
  EXPECT_EQ(names, (std::vector<std::string>{"B.TXT", "LONGNAME01.TXT", "a.txt"}));
  EXPECT_EQ(LeAt(Exchange(Named(Command(0x7007, 20, {}), "B")), 24, 4), 0);
  EXPECT_EQ(LeAt(Exchange(Named(Command(0x7007, 20, {}), "a")), 24, 4), 500);
  const Bytes block = Named(Command(0x7007, 32, {0, 1, 0x90, 0x01}), "a");
  EXPECT_EQ(Exchange(block)[427], 'a');
  EXPECT_EQ(Exchange(block), Bytes{});  // silent after one content reply
  sim.WriteInput("quit\n");
  EXPECT_EQ(sim.Wait(), 0);
}

}  // namespace
}  // namespace kvsim::test
