// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// What a file picker leaves for the import flow once it is hidden.
struct PickerOutcome {
  // The controller picker's chosen list entry, as the controller sent it.
  std::string SelectedFileEntry;
  // 1 when the picker ended with a chosen file, 0 when it was closed without one.
  std::int16_t FileChosen = 0;
};

}  // namespace kv
