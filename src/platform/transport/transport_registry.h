// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string_view>

#include "link/transport.h"

namespace kv {

// The backend named by a device text (the KV_USB setting):
//   "tcp:HOST:PORT"  the simulator kv730-sim on a loopback socket
//   "sim"            the simulator inside this process
//   ""               no controller attached: every open fails
// An unknown text also gives the backend without a controller.
std::unique_ptr<Transport> CreateTransport(std::string_view device);

}  // namespace kv
