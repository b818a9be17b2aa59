// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/profile_file.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <string_view>

#include "sim/controller_config.h"
#include "sim/text.h"

namespace kvsim {

LoadedProfile LoadProfile(const std::string& path) {
  std::ifstream file(path);
  if (!file) return {{}, "cannot be read"};
  LoadedProfile loaded;
  std::string line;
  for (std::size_t number = 1; std::getline(file, line); ++number) {
    const std::string_view text = Trim(line);
    if (text.empty()) continue;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
      return {
          {},
          "line " + std::to_string(number) + " (\"" + std::string(text) + "\") is not a number"};
    }
    if (loaded.values.size() == kMaxPoints) {
      return {{}, "holds more than " + std::to_string(kMaxPoints) + " values"};
    }
    loaded.values.push_back(value);
  }
  if (loaded.values.size() < kMinPoints) {
    return {{},
            "holds " + std::to_string(loaded.values.size()) + " values, at least " +
                std::to_string(kMinPoints) + " are needed"};
  }
  return loaded;
}

}  // namespace kvsim
