// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "app/session.h"

namespace kv {

// Firmware from 1102 on reports its unit, language and evaluation flag in the
// settings reply; older firmware is asked for one value by its memory address.
inline constexpr std::int32_t kFirstSettingsReplyVersion = 1102;

// Refreshes the controller's settings: from the settings reply, or for older
// firmware `oldFirmwareValue` from the memory at `address`.
Status RefreshControllerSettings(Session& session, std::uint32_t address,
                                 std::int16_t& oldFirmwareValue);

}  // namespace kv
