// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/command_line.h"

#include <cstdio>
#include <filesystem>
#include <string_view>

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
  std::fprintf(stderr, "kvcom: %s\n", application.NoticeOf(status).text.c_str());
  return false;
}

bool RunJobs(const CommandLine& command, Application& application) {
  if (!command.importPath.empty()) {
    const std::string path =
        WindowsPathOf(command.importPath, application.session().files.drives());
    if (!Report(application, application.ImportPcFile(path, command.importSet))) return false;
  }
  if (command.readAll && !Report(application, application.ReadAll())) return false;
  if (!command.exportCertificate) return true;
  auto exported = application.Export();
  if (!exported.ok()) return Report(application, exported.status());
  std::printf("%s\n", exported.value().c_str());
  return true;
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
  if (command.readAll && !command.importPath.empty()) return std::nullopt;
  return command;
}

ExitCode RunHeadless(const CommandLine& command, Application& application, StartupOutcome outcome) {
  if (outcome == StartupOutcome::kOffline) {
    std::fprintf(stderr, "kvcom: offline: %s\n",
                 application.session().offlineCause.description().c_str());
  }
  const bool done = RunJobs(command, application);
  application.Shutdown();
  return done ? kDone : kJobFailed;
}

}  // namespace kv
