// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

#include "platform/status.h"

namespace kv {

// What a piece of work run apart may take.
struct ChildLimits {
  std::size_t memoryBytes;    // address space beyond what the process already holds
  std::chrono::seconds time;  // wall-clock time
  std::size_t outputBytes;    // bytes it may hand back
};

// Runs `work` in a forked child process under `limits` and returns the bytes
// it produced. For libraries that crash or exhaust memory on damaged input:
// whatever they do, this process lives on and gets a kBadFile error saying
// how the work ended.
Result<std::string> RunInChild(const std::function<std::string()>& work, const ChildLimits& limits);

}  // namespace kv
