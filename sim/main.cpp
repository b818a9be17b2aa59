// SPDX-License-Identifier: GPL-3.0-or-later
// kv730-sim: the KV-730 controller behind a loopback TCP port, so the program
// can run end to end without the instrument.
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <span>
#include <string_view>

#include "sim/controller.h"
#include "sim/data_file_writer.h"
#include "sim/loopback_server.h"
#include "sim/operator_console.h"
#include "sim/options.h"

namespace {

// Lock-free, so the signal handler may read it.
std::atomic<kvsim::LoopbackServer*> servingServer = nullptr;

void OnSignal(int) {
  if (kvsim::LoopbackServer* server = servingServer.load()) server->Interrupt();
}

// SIGINT and SIGTERM end serving; poll() sees them through the server's wake
// pipe. A reader that went away from standard output must not kill the
// simulator, so SIGPIPE is ignored.
void InstallSignalHandlers(kvsim::LoopbackServer& server) {
  servingServer = &server;
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  (void)std::signal(SIGPIPE, SIG_IGN);
}

// --write-data-file: the measurement the options describe, as the data file
// the controller would store; the unit of the file is that of the measurement.
int WriteDataFile(const kvsim::Options& options) {
  kvsim::Config config = options.config;
  const bool inch = options.dataFileInch.value_or(config.unit != 0);
  config.unit = inch ? 1 : 0;
  const std::string bytes =
      kvsim::DataFileBytes(kvsim::Measure(config), {.inch = inch, .crLf = options.dataFileCrLf});
  std::ofstream out(options.dataFilePath, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    (void)std::fprintf(stderr, "kv730-sim: cannot write %s\n", options.dataFilePath.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Alone, --version asks for the simulator's own version; with a value it
  // sets the controller's version text.
  if (argc == 2 && argv[1] == std::string_view("--version")) {
    std::puts("kv730-sim " KV_VERSION);
    return 0;
  }
  const kvsim::ParsedOptions parsed =
      kvsim::ParseOptions(std::span<const char* const>(argv + 1, argc - 1));
  if (!parsed.options) {
    (void)std::fprintf(stderr, "kv730-sim: %s (see --help)\n", parsed.problem.c_str());
    return 2;
  }
  if (parsed.options->help) {
    (void)std::fputs(kvsim::Usage().c_str(), stdout);
    return 0;
  }
  if (!parsed.options->dataFilePath.empty()) return WriteDataFile(*parsed.options);

  kvsim::Controller controller(parsed.options->config);
  kvsim::LoopbackServer server(controller);
  if (!server.Listen(parsed.options->port)) {
    (void)std::fprintf(stderr, "kv730-sim: cannot listen on 127.0.0.1:%u: %s\n",
                       static_cast<unsigned>(parsed.options->port), std::strerror(errno));
    return 1;
  }
  InstallSignalHandlers(server);
  std::printf("listening on %u\n", static_cast<unsigned>(server.Port()));
  (void)std::fflush(stdout);

  kvsim::OperatorConsole console(controller, server);
  server.Serve([&console] { return console.Poll(); });
  servingServer = nullptr;
  return 0;
}
