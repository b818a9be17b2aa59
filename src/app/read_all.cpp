// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/read_all.h"

#include "app/controller_settings.h"
#include "link/frame_builders.h"
#include "results/block_reader.h"
#include "results/conditions_reader.h"
#include "results/parameters_reader.h"

namespace kv {
namespace {

enum Message { kSetBOnController = 17, kSetAOnController = 18, kNotReady = 19, kNoData = 20 };

// Ends the sequence: no automatic start next time, the read marked failed.
void FailureExit(Session& session, ReadAllWindow& window, int message, bool critical,
                 bool resetEvaluationSet = false) {
  session.AutoPrintSettings[0] = "0";
  if (resetEvaluationSet) session.AutoPrintSettings[1] = "0";
  session.settingsFiles.WriteAutoprint(session.AutoPrintSettings, session.settings.LanguageIndex);
  session.ReadFailed = 1;
  window.ShowLanguageMessage(message, critical);
}

// Old firmware reads only the set the controller evaluates: true when they agree.
bool EvaluationSetsAgree(Session& session, ReadAllWindow& window) {
  ProcessSettings& settings = session.settings;
  if (settings.VersionNumber >= kFirstSettingsReplyVersion) return true;
  settings.ControllerEvaluationFlag = ReadControllerMemory(session.link, kEvaluationFlagAddress);
  if (settings.EvaluationSelection == 0 && settings.ControllerEvaluationFlag == 1) {
    FailureExit(session, window, kSetBOnController, false);
    return false;
  }
  if (settings.EvaluationSelection == 1 && settings.ControllerEvaluationFlag == 0) {
    FailureExit(session, window, kSetAOnController, false, true);
    return false;
  }
  return true;
}

// A busy controller gets one status reset; only the low four bits count.
bool ControllerReady(Session& session, ReadAllWindow& window) {
  if (ReadControllerStatus(session.link) == 0) return true;
  SetStatusControl(session.link, 1);
  SetStatusControl(session.link, 0);
  if ((ReadControllerStatus(session.link) & 0x0F) == 0) return true;
  FailureExit(session, window, kNotReady, true);
  return false;
}

// The data reads, in their fixed order. False after a failure exit.
Result<bool> ReadData(Session& session, ReadAllWindow& window) {
  ReaderContext context{session.link, session.settings, session.files, window, session.BlockCount};
  if (Status read = ReadParameters(context); !read.ok()) return read;
  window.LetEventsRun();
  Status conditions = session.settings.UnitSetting == 0 ? ReadConditionsMetric(context)
                                                        : ReadConditionsInch(context);
  if (!conditions.ok()) return conditions;
  window.LetEventsRun();
  for (auto read : {+[](ReaderContext& c) { return ReadEvaluationData(c); },
                    +[](ReaderContext& c) { return ReadGraphData(c, 1); },
                    +[](ReaderContext& c) { return ReadGraphData(c, 0); }}) {
    Result<std::int16_t> blocks = read(context);
    if (!blocks.ok()) return blocks.status();
    if (blocks.value() == 0) {
      FailureExit(session, window, kNoData, true);
      return false;
    }
  }
  return true;
}

}  // namespace

Status ReadAll(Session& session, ReadAllWindow& window) {
  window.ClearResultDisplays();
  window.LetEventsRun();
  session.ReadFailed = 0;
  session.settings.EvaluationSelection = window.EvaluationSetASelected() ? 0 : 1;
  RefreshControllerSettings(session, kUnitAddress, session.settings.UnitSetting);
  if (!EvaluationSetsAgree(session, window) || !ControllerReady(session, window)) {
    return Status::Ok();
  }
  Result<bool> read = ReadData(session, window);
  if (!read.ok()) {
    session.ReadFailed = 1;
    return read.status();
  }
  if (read.value()) window.LetEventsRun();
  return Status::Ok();
}

}  // namespace kv
