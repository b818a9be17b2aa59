// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <memory>
#include <string_view>

#include "platform/transport/transport.h"

namespace kv {

// The backend named by a device text (the KV_USB setting):
//   "tcp:HOST:PORT"  kv730-sim, or kv-usb-bridge on the controller's PC
//                    (not on Windows)
//   "usbdll"         the driver library USBDLL.dll beside the program
//                    (Windows only)
//   ""               on Windows USBDLL.dll; elsewhere no controller
//                    attached: every open fails
// An unknown text also gives the backend without a controller. The
// in-process simulator ("sim") is a backend of its own target, which only
// the program and its tests link.
std::unique_ptr<Transport> CreateTransport(std::string_view device,
                                           std::chrono::milliseconds replyTimeout);

}  // namespace kv
