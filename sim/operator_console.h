// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "sim/controller.h"
#include "sim/loopback_server.h"

namespace kvsim {

// Lines on standard input that let a person act as the operator:
// "print" presses the print key, "status N" sets the status word, "quit" ends.
// Each action taken is acknowledged by one line on standard output.
class OperatorConsole {
 public:
  // Both must outlive the console.
  OperatorConsole(Controller& controller, LoopbackServer& server)
      : controller_(controller), server_(server) {}

  // Reads what standard input has (call when it is readable) and acts on
  // every whole line. False once standard input has ended.
  bool Poll();

 private:
  static constexpr std::size_t kMaxLine = 1024;

  void Act(std::string_view line);

  Controller& controller_;
  LoopbackServer& server_;
  std::string pending_;    // the start of a line not yet ended
  bool overlong_ = false;  // the current line was too long and is being skipped
};

}  // namespace kvsim
