// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/command_line.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <thread>

#include "analysis/parameter_check_text.h"
#include "x3p/profile_loader.h"
#include "x3p/x3p_export.h"

namespace kv {
namespace {

// A path as the program's Windows path text: "C:\..." or "Z:\..." as given,
// a host path mapped.
std::string WindowsPathOf(const std::string& path, const DriveMap& drives) {
  if (path.size() >= 2 && path[1] == ':') return path;
  return drives.WindowsPath(std::filesystem::absolute(path));
}

bool Report(const Application& application, const Status& status) {
  if (status.ok()) return true;
  (void)std::fprintf(stderr, "kvcom: %s\n", application.NoticeOf(status).text.c_str());
  return false;
}

bool ExportCertificate(Application& application) {
  auto exported = application.Export();
  if (!exported.ok()) return Report(application, exported.status());
  std::printf("%s\n", exported.value().c_str());
  (void)std::fflush(stdout);
  return true;
}

// The profile just read, as an X3P file at the pitch of the working folder's
// "Condition.csv"; prints the file's path.
bool ExportMeasuredProfile(const std::string& path, Application& application) {
  const Session& session = application.session();
  auto profile = LoadProfile(session.files, session.settings.WorkFolder, ProfileKind::kMeasured);
  if (!profile.ok()) {
    return Report(application, Status::Error(profile.status().code(),
                                             "The X3P file \"" + path + "\" was not written: " +
                                                 profile.status().description()));
  }
  profile.value().controllerVersion = session.ControllerVersion;
  if (!Report(application, ExportX3p(session.files, profile.value(), path))) return false;
  std::printf("%s\n", path.c_str());
  (void)std::fflush(stdout);
  return true;
}

bool ReadMeasuredProfile(const CommandLine& command, Application& application) {
  if (!Report(application, application.ReadMeasuredProfile())) return false;
  return command.x3pPath.empty() || ExportMeasuredProfile(command.x3pPath, application);
}

// The parameter check of what was just read; the read-all does not read the
// measured profile, so it is read here unless --measured-profile has.
ExitCode VerifyParameters(const CommandLine& command, Application& application) {
  if (!command.measuredProfile && !Report(application, application.ReadMeasuredProfile())) {
    return kJobFailed;
  }
  const auto check = application.CheckParameters();
  if (!Report(application, check.status())) return kJobFailed;
  (void)std::fputs(ParameterCheckText(check.value()).c_str(), stdout);
  (void)std::fflush(stdout);
  return check.value().AllAgree() ? kDone : kParametersDisagree;
}

std::atomic<bool> stopRequested = false;

void RequestStop(int) {
  stopRequested = true;
}

// Polls the print key twice a second until a signal ends the run; each
// press reads and prints, and with --export also writes the PDF.
bool RunPrintKey(const CommandLine& command, Application& application) {
  struct sigaction action {};
  action.sa_handler = RequestStop;
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
  if (!Report(application, application.SwitchControllerOutput(true))) return false;
  while (!stopRequested) {
    if (application.PrintKeyPressed()) {
      Report(application, application.Print());
      if (command.exportCertificate) ExportCertificate(application);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
  }
  return Report(application, application.SwitchControllerOutput(false));
}

bool RunJobs(const CommandLine& command, Application& application) {
  if (command.printKey) return RunPrintKey(command, application);
  if (command.print && !Report(application, application.Print())) return false;
  if (!command.importPath.empty()) {
    const std::string path =
        WindowsPathOf(command.importPath, application.session().files.drives());
    if (!Report(application, application.ImportPcFile(path, command.importSet))) return false;
  }
  if (command.readAll && !Report(application, application.ReadAll())) return false;
  if (command.measuredProfile && !ReadMeasuredProfile(command, application)) return false;
  return !command.exportCertificate || ExportCertificate(application);
}

}  // namespace

std::optional<CommandLine> ParseCommandLine(int argc, char** argv) {
  CommandLine command;
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    const bool hasValue = i + 1 < argc;
    if (argument == "--start-only") {
      command.startOnly = true;
    } else if (argument == "--read-all") {
      command.readAll = true;
    } else if (argument == "--export") {
      command.exportCertificate = true;
    } else if (argument == "--print") {
      command.print = true;
    } else if (argument == "--print-key") {
      command.printKey = true;
    } else if (argument == "--service") {
      command.serviceButtons = true;
    } else if (argument == "--verify") {
      command.verify = true;
    } else if (argument == "--measured-profile") {
      command.measuredProfile = true;
    } else if (argument == "--x3p" && hasValue) {
      command.x3pPath = argv[++i];
    } else if (argument == "--import" && hasValue) {
      command.importPath = argv[++i];
    } else if (argument == "--set" && hasValue &&
               (argv[i + 1] == std::string_view("A") || argv[i + 1] == std::string_view("B"))) {
      command.importSet =
          argv[++i] == std::string_view("B") ? EvaluationSet::kB : EvaluationSet::kA;
    } else {
      return std::nullopt;
    }
  }
  const int jobs = command.readAll + !command.importPath.empty() + command.print + command.printKey;
  if (jobs > 1 || (command.serviceButtons && command.Headless())) return std::nullopt;
  if (command.verify && !command.readAll) return std::nullopt;
  // The measured profile follows a read of the controller, nothing else.
  const bool otherJob = !command.importPath.empty() || command.print || command.printKey;
  if ((command.measuredProfile && otherJob) ||
      (!command.x3pPath.empty() && !command.measuredProfile)) {
    return std::nullopt;
  }
  return command;
}

ExitCode RunHeadless(const CommandLine& command, Application& application, StartupOutcome outcome) {
  if (outcome == StartupOutcome::kOffline) {
    (void)std::fprintf(stderr, "kvcom: offline: %s\n",
                       application.session().offlineCause.description().c_str());
  }
  const bool done = RunJobs(command, application);
  const ExitCode exit = !done            ? kJobFailed
                        : command.verify ? VerifyParameters(command, application)
                                         : kDone;
  application.Shutdown();
  return exit;
}

}  // namespace kv
