// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "app/application.h"
#include "results/silent_view.h"

namespace kv {

inline constexpr const char* kUsage =
    "Usage: kvcom [--start-only] [--read-all | --import PATH [--set A|B]] [--export]\n"
    "       kvcom --print | --print-key [--export]\n"
    "       kvcom [--read-all] --measured-profile [--x3p PATH]\n"
    "       kvcom --service\n"
    "  --start-only  run start-up, then end without showing the window\n"
    "  --read-all    after start-up, read the last measurement from the controller\n"
    "  --import PATH after start-up, convert the data file PATH (host or Windows path)\n"
    "  --set A|B     the evaluation set the import converts (default A)\n"
    "  --export      then export the certificate as a PDF into the working folder\n"
    "  --print       read (unless manual output is saved) and print on the default printer\n"
    "  --print-key   wait for the controller's print key, read and print on each press,\n"
    "                until SIGINT or SIGTERM\n"
    "  --measured-profile  read the measured profile into Measured.csv (after --read-all)\n"
    "  --x3p PATH    then write it as an X3P file (ISO 5436-2) at PATH, at the pitch\n"
    "                of Condition.csv\n"
    "  --verify      after --read-all, also read the measured profile, compute the\n"
    "                parameters from it and print them beside the controller's; exit\n"
    "                status 5 when any differs by more than display rounding\n"
    "  --service     show the window with its service buttons\n"
    "  --version     print the program's version, then end\n"
    "With any option but --service the window is not shown and the program ends when done.\n"
    "Environment: KV_USB (tcp:HOST:PORT or sim), KV_DRIVE_C (host folder for C:\\),\n"
    "KV_USB_TIMEOUT_MS (one answer of the controller, default 5000),\n"
    "KV_JOB_TIMEOUT_MS (one whole job, default 120000),\n"
    "KV_BATCH=1 (messages to standard error, answered with OK).\n";

// Exit codes a script can tell apart.
enum ExitCode {
  kDone = 0,
  kNoController = 1,
  kAnotherInstance = 2,
  kJobFailed = 3,
  kParametersDisagree = 5,
  kUsageError = 64
};

// The jobs asked for on the command line; with none, the window runs.
struct CommandLine {
  bool startOnly = false;
  bool readAll = false;
  std::string importPath;
  EvaluationSet importSet = EvaluationSet::kA;
  bool exportCertificate = false;
  bool print = false;
  bool printKey = false;
  bool serviceButtons = false;  // the window, with its service row
  bool measuredProfile = false;
  bool verify = false;  // after the read-all, the parameter check
  std::string x3pPath;  // the measured profile's X3P file, host path

  bool Headless() const {
    return startOnly || readAll || !importPath.empty() || exportCertificate || print || printKey ||
           measuredProfile;
  }
};

// Without a window nothing is shown of the results; the files and the exit
// status tell.
struct SilentObserver : SilentView<AppObserver> {
  void ClearResults() override {}
};

// The options, or none after a usage error.
std::optional<CommandLine> ParseCommandLine(int argc, char** argv);

// Runs the jobs after start-up without a window; reports on standard error.
ExitCode RunHeadless(const CommandLine& command, Application& application, StartupOutcome outcome);

}  // namespace kv
