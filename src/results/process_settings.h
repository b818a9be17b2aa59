// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// Settings every part of the program reads; one instance for the whole run.
struct ProcessSettings {
  // Every file path is WorkFolder followed directly by the file name.
  std::string WorkFolder = "C:\\Tarnwick Corvanet\\KV-730\\";
  // The program's own folder, without a trailing separator.
  std::string AppFolder;
  // Controller version x 1000; 1101, 1102 and 1103 select firmware behaviour.
  std::int32_t VersionNumber = 0;
  // The controller's display language; 0 = Japanese.
  std::int16_t LanguageIndex = 0;
  // From the controller 0 = metric, else inch; from a data file 1 = metric, 2 = inch.
  std::int16_t UnitSetting = 0;
  // 0 = evaluation set A, 1 = set B.
  std::int16_t EvaluationSelection = 0;
  std::int16_t ControllerEvaluationFlag = 0;
};

}  // namespace kv
