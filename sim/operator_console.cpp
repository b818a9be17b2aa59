// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/operator_console.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

#include "sim/options.h"
#include "sim/text.h"

namespace kvsim {
namespace {

// One line on standard output per action taken, so whoever types (or a
// script) knows the controller has it before the next request.
void Acknowledge(const std::string& what) {
  std::printf("%s\n", what.c_str());
  (void)std::fflush(stdout);
}

}  // namespace

bool OperatorConsole::Poll() {
  char chunk[256];
  const ssize_t count = read(STDIN_FILENO, chunk, sizeof chunk);
  if (count < 0 && errno == EINTR) return true;
  if (count <= 0) {
    if (!overlong_) Act(pending_);  // a last line without its line end
    pending_.clear();
    return false;
  }
  for (const char c : std::string_view(chunk, static_cast<std::size_t>(count))) {
    if (c == '\n') {
      if (!overlong_) Act(pending_);
      pending_.clear();
      overlong_ = false;
    } else if (pending_.size() == kMaxLine) {
      if (!overlong_) (void)std::fputs("kv730-sim: input line too long, ignored\n", stderr);
      overlong_ = true;
      pending_.clear();
    } else if (!overlong_) {
      pending_ += c;
    }
  }
  return true;
}

void OperatorConsole::Act(std::string_view line) {
  line = Trim(line);
  if (line.empty()) return;
  if (line == "print") {
    controller_.PressPrintKey();
    Acknowledge("print key pressed");
  } else if (line == "quit") {
    server_.Interrupt();
  } else if (line.starts_with("status ")) {
    const auto status = ParseNumber(Trim(line.substr(7)), 0xFFFF);
    if (!status) {
      (void)std::fputs("kv730-sim: status expects a number from 0 to 0xFFFF\n", stderr);
      return;
    }
    Config config = controller_.GetConfig();
    config.statuses = {static_cast<std::uint16_t>(*status)};
    controller_.SetConfig(std::move(config));
    char text[32];
    (void)std::snprintf(text, sizeof text, "status 0x%04X", static_cast<unsigned>(*status));
    Acknowledge(text);
  } else {
    (void)std::fprintf(stderr, "kv730-sim: unknown input \"%.*s\"; use print, status N or quit\n",
                       static_cast<int>(line.size()), line.data());
  }
}

}  // namespace kvsim
