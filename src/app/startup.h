// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "app/session.h"
#include "app/startup_window.h"
#include "platform/instance_lock.h"

namespace kv {

enum class StartupOutcome {
  Connected,        // the window waits for the user, every function available
  Offline,          // the window waits for the user, controller functions withdrawn
  AutoReadDone,     // the automatic read ran and the program has shut down
  NoController,     // no usable stored version: the message was shown, the program ends
  AnotherInstance,  // another instance runs: the program ends without a word
};

// Loading of the main window: the connected steps, or the offline path after
// any failure among them. `appFolder` is the program's folder as Windows path
// text, without a trailing separator.
StartupOutcome Load(Session& session, StartupWindow& window, InstanceLock& instanceLock,
                    const std::string& appFolder);

// Releases the spreadsheet objects and closes the link unless offline.
void Shutdown(Session& session);

// The message shown when neither the controller nor a stored version is usable.
inline constexpr const char* kConfirmConnectionMessage =
    "Please confirm the connection with KV controller.";

}  // namespace kv
