// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "app/session.h"
#include "platform/instance_lock.h"

namespace kv {

enum class StartupOutcome {
  kConnected,        // every function available
  kOffline,          // controller functions withdrawn; the offline message is due
  kNoController,     // no usable stored version: the connection message is due, then the end
  kAnotherInstance,  // another instance works in the same folder: the end
};

// Start-up: the connected steps, or the offline path after any failure among
// them. `appFolder` is the program's folder as Windows path text, without a
// trailing separator. A saved automatic start is left to the caller.
StartupOutcome StartSession(Session& session, InstanceLock& instanceLock,
                            const std::string& appFolder);

// Closes the link unless offline.
void EndSession(Session& session);

// The message shown when neither the controller nor a stored version is usable.
inline constexpr const char* kConfirmConnectionMessage =
    "Please confirm the connection with KV controller.";

}  // namespace kv
