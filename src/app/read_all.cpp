// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/read_all.h"

#include "app/controller_settings.h"
#include "link/frame_builders.h"
#include "results/block_reader.h"
#include "results/conditions_reader.h"
#include "results/parameters_reader.h"

namespace kv {
namespace {

constexpr std::int16_t kBearingAreaCurve = 1;
constexpr std::int16_t kAmplitudeDistributionCurve = 0;

// Old firmware reads only the set the controller evaluates.
Status EvaluationSetsAgree(Session& session) {
  ProcessSettings& settings = session.settings;
  if (settings.VersionNumber >= kFirstSettingsReplyVersion) return Status::Ok();
  auto flag = ReadControllerMemory(session.link, kEvaluationFlagAddress);
  if (!flag.ok()) return flag.status();
  settings.ControllerEvaluationFlag = flag.value();
  if (settings.EvaluationSelection == 0 && settings.ControllerEvaluationFlag == 1) {
    return Status::Error(StatusCode::kControllerEvaluatesSetB,
                         "The controller evaluates profile B; profile A is selected.");
  }
  if (settings.EvaluationSelection == 1 && settings.ControllerEvaluationFlag == 0) {
    return Status::Error(StatusCode::kControllerEvaluatesSetA,
                         "The controller evaluates profile A; profile B is selected.");
  }
  return Status::Ok();
}

// A busy controller gets one status reset; only the low four bits count then.
Status ControllerReady(Link& link) {
  auto status = ReadControllerStatus(link);
  if (!status.ok()) return status.status();
  if (status.value() == 0) return Status::Ok();
  if (Status reset = SetStatusControl(link, 1); !reset.ok()) return reset;
  if (Status reset = SetStatusControl(link, 0); !reset.ok()) return reset;
  status = ReadControllerStatus(link);
  if (!status.ok()) return status.status();
  if ((status.value() & 0x0F) == 0) return Status::Ok();
  return Status::Error(StatusCode::kNotReady, "The controller is not ready.");
}

Status ReadBlocksOf(ReaderContext& context, Result<std::int16_t> (*read)(ReaderContext&)) {
  Result<std::int16_t> blocks = read(context);
  if (!blocks.ok()) return blocks.status();
  if (blocks.value() == 0) {
    return Status::Error(StatusCode::kNoData, "The controller has no measurement data.");
  }
  return Status::Ok();
}

// The data reads, in their fixed order, into the stage.
Status ReadData(Session& session, AppObserver& observer, ResultStage& stage) {
  ReaderContext context{session.link, session.settings, observer, stage, session.BlockCount};
  if (Status read = ReadParameters(context); !read.ok()) return read;
  Status conditions = session.settings.UnitSetting == 0 ? ReadConditionsMetric(context)
                                                        : ReadConditionsInch(context);
  if (!conditions.ok()) return conditions;
  using BlockRead = Result<std::int16_t> (*)(ReaderContext&);
  const BlockRead reads[] = {
      [](ReaderContext& c) { return ReadEvaluationData(c); },
      [](ReaderContext& c) { return ReadGraphData(c, kBearingAreaCurve); },
      [](ReaderContext& c) { return ReadGraphData(c, kAmplitudeDistributionCurve); }};
  for (BlockRead read : reads) {
    if (Status done = ReadBlocksOf(context, read); !done.ok()) return done;
  }
  return Status::Ok();
}

Status ReadAndCommit(Session& session, AppObserver& observer) {
  session.settings.EvaluationSelection = static_cast<std::int16_t>(session.choices.evaluationSet);
  Status refreshed = RefreshControllerSettings(session, kUnitAddress, session.settings.UnitSetting);
  if (!refreshed.ok()) return refreshed;
  if (Status agree = EvaluationSetsAgree(session); !agree.ok()) return agree;
  if (Status ready = ControllerReady(session.link); !ready.ok()) return ready;
  ResultStage stage;
  if (Status read = ReadData(session, observer, stage); !read.ok()) return read;
  return stage.Commit(session.files, session.settings.WorkFolder);
}

}  // namespace

Status ReadAll(Session& session, AppObserver& observer) {
  observer.ClearResults();
  session.readFailed = false;
  Status read = ReadAndCommit(session, observer);
  if (read.ok()) return read;
  session.readFailed = true;
  session.choices.automaticStart = false;
  // Profile A is what the controller evaluates: the selection follows it.
  if (read.code() == StatusCode::kControllerEvaluatesSetA) {
    session.choices.evaluationSet = EvaluationSet::kA;
  }
  session.SaveChoices();
  observer.ClearResults();
  return read;
}

}  // namespace kv
