// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"

#include "app/parameter_verification.h"
#include "app/read_all.h"
#include "datafile/controller_files.h"
#include "datafile/data_file_import.h"
#include "link/frame_builders.h"
#include "results/block_reader.h"
#include "results/conditions_reader.h"
#include "results/parameters_reader.h"
#include "results/profile_reader.h"

namespace kv {
namespace {

constexpr std::int32_t kFirstPrintKeyVersion = 1103;
constexpr std::int16_t kBearingAreaCurve = 1;
constexpr std::int32_t kPrintKeyPressed = 16;

Status NoController() {
  return Status::Error(StatusCode::kOffline,
                       "No controller is connected, so nothing can be read from it.");
}

}  // namespace

Application::Application(Transport& transport, FileSystem& files, CertificateActions& certificate,
                         AppObserver& observer, std::chrono::milliseconds jobTimeout)
    : session_(transport, files),
      certificate_(certificate),
      observer_(observer),
      jobTimeout_(jobTimeout) {
  session_.link.SetStopFlag(&stop_);
}

StartupOutcome Application::Start(InstanceLock& instanceLock, const std::string& appFolder) {
  return StartSession(session_, instanceLock, appFolder);
}

void Application::Shutdown() {
  EndSession(session_);
}

// Runs a job that talks to the controller within the job's time bound.
template <typename Job>
auto Application::WithController(Job job) {
  using Outcome = decltype(job());
  if (session_.offline) return Outcome(NoController());
  session_.link.SetDeadline(Link::Clock::now() + jobTimeout_);
  Outcome outcome = job();
  session_.link.SetDeadline(std::nullopt);
  return outcome;
}

Status Application::ReadAll() {
  return WithController([this] { return kv::ReadAll(session_, observer_); });
}

// Runs one reader on its own stage and commits what it staged.
template <typename Read>
Status Application::StageAndCommit(Read read) {
  return WithController([&]() -> Status {
    ResultStage stage;
    ReaderContext context{session_.link, session_.settings, observer_, stage, session_.BlockCount};
    if (Status done = read(context); !done.ok()) return done;
    return stage.Commit(session_.files, session_.settings.WorkFolder);
  });
}

Result<std::string> Application::ReadVersionText() {
  return WithController([this] { return ReadControllerVersion(session_.link); });
}

Status Application::CheckControllerStatus() {
  return WithController([this]() -> Status {
    auto status = ReadControllerStatus(session_.link);
    if (!status.ok()) return status.status();
    if (status.value() != 0) {
      return Status::Error(StatusCode::kNotReady, "The controller is not ready.");
    }
    return Status::Ok();
  });
}

Result<std::string> Application::ReadEvaluationFlag() {
  return WithController([this]() -> Result<std::string> {
    auto value = ReadControllerMemory(session_.link, kEvaluationFlagAddress);
    if (!value.ok()) return value.status();
    return std::to_string(value.value());
  });
}

Status Application::SendStart() {
  return WithController([this] { return SendStartCommand(session_.link); });
}

Status Application::ReadParameters() {
  return StageAndCommit([](ReaderContext& context) { return kv::ReadParameters(context); });
}

Status Application::ReadConditions() {
  return StageAndCommit([](ReaderContext& context) { return ReadConditionsMetric(context); });
}

Status Application::ReadMeasuredProfile() {
  return StageAndCommit([](ReaderContext& context) -> Status {
    auto values = kv::ReadMeasuredProfile(context);
    if (!values.ok()) return values.status();
    if (values.value() == 0) {
      return Status::Error(StatusCode::kNoMeasuredProfile,
                           "The controller has no measured profile.");
    }
    return Status::Ok();
  });
}

Status Application::ReadBearingAreaCurve() {
  return StageAndCommit([](ReaderContext& context) -> Status {
    auto blocks = ReadGraphData(context, kBearingAreaCurve);
    if (!blocks.ok()) return blocks.status();
    if (blocks.value() == 0) {
      return Status::Error(StatusCode::kNoGraphData, "The controller has no bearing area curve.");
    }
    return Status::Ok();
  });
}

Result<ParameterCheck> Application::CheckParameters() const {
  return CheckResultFiles(session_.files, session_.settings.WorkFolder);
}

Status Application::SelectOutput(OutputMode mode) {
  SavedChoices choices = session_.choices;
  choices.output = mode;
  if (!PrintKeyOutputAvailable() && mode == OutputMode::kPrintKey) {
    choices.output = OutputMode::kManual;
  }
  Status switched = session_.offline
                        ? Status::Ok()
                        : SwitchControllerOutput(choices.output == OutputMode::kPrintKey);
  Choose(choices);
  return switched;
}

Status Application::SwitchControllerOutput(bool printKey) {
  return WithController([&] { return SetOutputMode(session_.link, printKey ? 1 : 0); });
}

bool Application::PrintKeyPressed() {
  auto state = WithController([this] { return ReadPrintKeyState(session_.link); });
  return state.ok() && state.value() == kPrintKeyPressed;
}

std::vector<std::string> Application::CommentLines() const {
  return session_.settingsFiles.ReadComment();
}

Status Application::SaveCommentLines(const std::array<std::string, 8>& lines) {
  return session_.settingsFiles.WriteComment(lines);
}

Result<std::vector<std::string>> Application::ListCardFiles() {
  return WithController([this]() -> Result<std::vector<std::string>> {
    observer_.ClearResults();
    auto listed = ListControllerFiles(session_.link);
    if (!listed.ok()) return listed.status();
    if (listed.value().entries.empty()) {  // none reported, or none that can be fetched
      return Status::Error(StatusCode::kNoCardFiles, "The controller reports no data files.");
    }
    return std::move(listed.value().entries);
  });
}

// Stages one stored measurement and commits it. A refused one leaves the
// result files, the unit and (emptied) the displays as they were.
Status Application::Import(EvaluationSet set, auto stageFile) {
  observer_.ClearResults();
  session_.settings.EvaluationSelection = static_cast<std::int16_t>(set);
  ResultStage stage;
  ConversionContext context{session_.settings, observer_, stage};
  const std::int16_t unit = session_.settings.UnitSetting;
  Status imported = stageFile(context);
  if (imported.ok()) imported = stage.Commit(session_.files, session_.settings.WorkFolder);
  if (!imported.ok()) {
    session_.settings.UnitSetting = unit;
    observer_.ClearResults();
  }
  Status switched = SwitchToManualOutput();
  return imported.ok() ? switched : imported;
}

Status Application::ImportCardFile(const std::string& entry, EvaluationSet set) {
  return WithController([&] {
    return Import(set, [&](ConversionContext& context) {
      return StageControllerFile(session_.link, context, entry);
    });
  });
}

Status Application::ImportPcFile(const std::string& windowsPath, EvaluationSet set) {
  return Import(set, [&](ConversionContext& context) {
    return StagePcFile(session_.files, context, windowsPath);
  });
}

// A stored measurement is printed by hand, and its graph files hold zeros:
// manual output, and no BAC/ADC curves on the certificate.
Status Application::SwitchToManualOutput() {
  session_.choices.output = OutputMode::kManual;
  if (session_.choices.graphs == GraphLayout::kBacAdc) {
    session_.choices.graphs = GraphLayout::kProfile;
  }
  session_.SaveChoices();
  if (session_.offline) return Status::Ok();  // nothing to switch on the controller
  return SetOutputMode(session_.link, 0);
}

Status Application::Print() {
  if (session_.choices.output != OutputMode::kManual) {
    if (Status read = ReadAll(); !read.ok()) return read;
  }
  // A certificate of a failed read's files would not be of that read.
  if (session_.readFailed) {
    return Status::Error(StatusCode::kFailed, "The last read failed; nothing was printed.");
  }
  return certificate_.Print(session_.choices.paper);
}

Status Application::Preview() {
  return certificate_.Preview(session_.choices.paper);
}

Result<std::string> Application::Export() {
  return certificate_.Export(session_.choices.paper);
}

Status Application::SwitchCertificateLanguage() {
  return certificate_.SwitchLanguage(session_.choices.paper);
}

void Application::Choose(const SavedChoices& choices) {
  session_.choices = choices;
  if (!PrintKeyOutputAvailable() && choices.output == OutputMode::kPrintKey) {
    session_.choices.output = OutputMode::kManual;
  }
  session_.settings.EvaluationSelection = static_cast<std::int16_t>(choices.evaluationSet);
  session_.SaveChoices();
}

bool Application::PrintKeyOutputAvailable() const {
  return !session_.offline && session_.settings.VersionNumber >= kFirstPrintKeyVersion;
}

}  // namespace kv
