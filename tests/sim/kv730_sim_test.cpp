// SPDX-License-Identifier: GPL-3.0-or-later
// The kv730-sim executable as a person or a script runs it.
#include <csignal>
#include <string>

#include "sim_process.h"
#include "socket_fixture.h"

namespace kvsim::test {
namespace {

// Reads "listening on PORT" and returns the port (0 when the line is wrong).
std::uint16_t ListeningPort(SimProcess& sim) {
  const std::optional<std::string> line = sim.ReadLine();
  const std::string prefix = "listening on ";
  if (!line || !line->starts_with(prefix)) return 0;
  const int port = std::stoi(line->substr(prefix.size()));
  return std::to_string(port) == line->substr(prefix.size()) ? static_cast<std::uint16_t>(port) : 0;
}

TEST(Kv730SimTest, ServesTakesOperatorInputAndQuits) {
  SimProcess sim({KV730_SIM_PATH, "--port", "0", "--log", "--version", "Ver 2.000"});
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
    SimProcess sim({KV730_SIM_PATH, "--port", "0", "--fault", "short-answer"});
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
  };
  for (const auto& arguments : cases) {
    SCOPED_TRACE(arguments.front());
    std::vector<std::string> command = {KV730_SIM_PATH};
    command.insert(command.end(), arguments.begin(), arguments.end());
    SimProcess sim(command);
    EXPECT_EQ(sim.Wait(), 2);
    EXPECT_NE(sim.ErrorOutput().find(arguments.front()), std::string::npos);
  }
}

}  // namespace
}  // namespace kvsim::test
