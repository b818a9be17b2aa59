// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/controller_settings.h"

#include "link/frame_builders.h"

namespace kv {

Status RefreshControllerSettings(Session& session, std::uint32_t address,
                                 std::int16_t& oldFirmwareValue) {
  ProcessSettings& settings = session.settings;
  if (settings.VersionNumber < kFirstSettingsReplyVersion) {
    auto value = ReadControllerMemory(session.link, address);
    if (!value.ok()) return value.status();
    oldFirmwareValue = value.value();
    return Status::Ok();
  }
  auto controller = ReadControllerSettings(session.link, settings.EvaluationSelection);
  if (!controller.ok()) return controller.status();
  settings.UnitSetting = controller.value().UnitSetting;
  settings.LanguageIndex = controller.value().LanguageIndex;
  settings.ControllerEvaluationFlag = controller.value().EvaluationFlag;
  return Status::Ok();
}

}  // namespace kv
