// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <winsock2.h>

#include "platform/transport/transport.h"

namespace kvbridge {

// Serves the loopback protocol of kvcom's TCP transport on one connected
// socket, each operation passed to `driver` as it comes. Every number is a
// 32-bit little-endian integer:
//   'O' length name  -> open result
//   'W' length frame -> count written
//   'R' count        -> count read, then that many reply bytes
//   'C'              -> 0
// Returns when the client leaves or sends what is no message; a device the
// client left open is closed then, so the next client starts as a fresh
// program run does.
void Serve(SOCKET client, kv::Transport& driver, bool log);

}  // namespace kvbridge
