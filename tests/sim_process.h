// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "child_process.h"

namespace kvtest {

// kv730-sim on a loopback port with `arguments`, and its device text.
struct SimProcess {
  explicit SimProcess(std::vector<std::string> arguments)
      : process(KV730_SIM_PATH, [&] {
          arguments.insert(arguments.begin(), {"--port", "0"});
          return arguments;
        }()) {
    const std::string listening = process.ReadLine().value_or("");
    if (listening.starts_with("listening on ")) device = "tcp:127.0.0.1:" + listening.substr(13);
  }
  ChildProcess process;
  std::string device;
};

}  // namespace kvtest
