// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sim/profile_parameters.h"

namespace kvsim {

// The 0x7003 record texts of one profile's parameters as the controller
// shows them: the name, a space, the value with the controller's number of
// decimals and, for a quantity with a unit, a space and the unit
// ("Ra 0.8234 um", "Rsk -0.123", "Rmr 37.52 %"). Names are in the
// controller's character set, Greek letters as two Shift JIS bytes, and none
// is longer than five characters. `letter` is 'R' or 'W'; the waviness
// profile has no Rmax, Rlq and RPc. With `inch`, heights are in microinches
// ("uin"), spacings in inches and peak counts per inch.
std::vector<std::string> ParameterTexts(const ProfileParameters& parameters, char letter,
                                        bool inch);

// The text of parameter `name` ("Ra") shows its value larger by `offset`,
// with the same decimals.
void OffsetParameterText(std::vector<std::string>& texts, std::string_view name, double offset);

}  // namespace kvsim
