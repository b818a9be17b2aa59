// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/controller_settings.h"

#include "link/frame_builders.h"

namespace kv {

void RefreshControllerSettings(Session& session, std::uint32_t address,
                               std::int16_t& oldFirmwareValue) {
  ProcessSettings& settings = session.settings;
  if (settings.VersionNumber < kFirstSettingsReplyVersion) {
    oldFirmwareValue = ReadControllerMemory(session.link, address);
    return;
  }
  ControllerSettings controller =
      ReadControllerSettings(session.link, settings.EvaluationSelection);
  settings.UnitSetting = controller.UnitSetting;
  settings.LanguageIndex = controller.LanguageIndex;
  settings.ControllerEvaluationFlag = controller.EvaluationFlag;
}

}  // namespace kv
