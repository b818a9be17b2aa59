// SPDX-License-Identifier: GPL-3.0-or-later
// kvcom: the program beside the KV-730 controller.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "app/startup.h"
#include "platform/certificate/certificate_spreadsheet.h"
#include "platform/transport/transport_registry.h"
#include "ui/kv_com.h"

namespace {

constexpr const char* kUsage =
    "Usage: kvcom [--start-only] [--read-all | --import PATH [--set A|B]] [--export]\n"
    "  --start-only  run start-up, then end without showing the window\n"
    "  --read-all    after start-up, read the last measurement from the controller\n"
    "  --import PATH after start-up, convert the data file PATH (host or Windows path)\n"
    "  --set A|B     the evaluation set the import converts (default A)\n"
    "  --export      then export the certificate as a PDF into the working folder\n"
    "With any option the window is not shown and the program ends when done.\n"
    "Environment: KV_USB (tcp:HOST:PORT or sim), KV_DRIVE_C (host folder for C:\\),\n"
    "KV_BATCH=1 (messages to standard error, answered with OK).\n";

// Exit codes a script can tell apart.
enum ExitCode {
  kDone = 0,
  kNoController = 1,
  kAnotherInstance = 2,
  kJobFailed = 3,
  kUsageError = 64
};

struct Options {
  bool startOnly = false;
  bool readAll = false;
  std::string importPath;
  std::int16_t evaluationSet = 0;
  bool exportCertificate = false;
  bool Headless() const { return startOnly || readAll || !importPath.empty() || exportCertificate; }
};

// The options, or none after a usage error.
std::optional<Options> ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    bool hasValue = i + 1 < argc;
    if (argument == "--start-only") {
      options.startOnly = true;
    } else if (argument == "--read-all") {
      options.readAll = true;
    } else if (argument == "--export") {
      options.exportCertificate = true;
    } else if (argument == "--import" && hasValue) {
      options.importPath = argv[++i];
    } else if (argument == "--set" && hasValue &&
               (argv[i + 1] == std::string_view("A") || argv[i + 1] == std::string_view("B"))) {
      options.evaluationSet = argv[++i] == std::string_view("B") ? 1 : 0;
    } else {
      return std::nullopt;
    }
  }
  if (options.readAll && !options.importPath.empty()) return std::nullopt;
  return options;
}

// A path as the program's Windows path text: "C:\..." or "Z:\..." as given,
// a host path mapped.
std::string WindowsPathOf(const std::string& path, const kv::DriveMap& drives) {
  if (path.size() >= 2 && path[1] == ':') return path;
  return drives.WindowsPath(std::filesystem::absolute(path));
}

// The PC import without the pickers; a refusal's text goes to standard error.
bool RunImport(const Options& options, kv::KV_Com& window, kv::Session& session) {
  session.settings.EvaluationSelection = options.evaluationSet;
  kv::ImportOutcome outcome =
      window.ImportPcDataFile(WindowsPathOf(options.importPath, session.files.drives()));
  if (outcome.ok()) return true;
  std::string text = outcome.message != 0
                         ? window.LangText[static_cast<std::size_t>(outcome.message)]
                         : outcome.status.description();
  std::fprintf(stderr, "kvcom: %s\n", text.c_str());
  return false;
}

// The jobs asked for on the command line, after start-up; false when one failed.
bool RunJobs(const Options& options, kv::KV_Com& window, kv::Session& session, bool offline) {
  if (!options.importPath.empty() && !RunImport(options, window, session)) return false;
  if (options.readAll) {
    if (offline) {
      std::fputs("kvcom: no controller is connected, so nothing can be read.\n", stderr);
      return false;
    }
    if (!window.Read_All_Data_Click().ok() || session.ReadFailed == 1) return false;
  }
  return !options.exportCertificate || window.Export_Click().ok();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc == 2 && argv[1] == std::string_view("--help")) {
    std::fputs(kUsage, stdout);
    return kDone;
  }
  std::optional<Options> parsed = ParseOptions(argc, argv);
  if (!parsed) {
    std::fputs(kUsage, stderr);
    return kUsageError;
  }
  const Options& options = *parsed;

  kv::DriveMap drives = kv::DriveMap::FromEnvironment();
  std::error_code ignored;  // a drive that cannot be made shows up as a failed start-up step
  std::filesystem::create_directories(drives.DriveC(), ignored);
  kv::FileSystem files(drives);
  const char* device = std::getenv("KV_USB");
  auto transport = kv::CreateTransport(device ? device : "");
  kv::Session session(*transport, files,
                      [&drives]() -> kv::Result<std::unique_ptr<kv::SpreadsheetApp>> {
                        return std::unique_ptr<kv::SpreadsheetApp>(
                            std::make_unique<kv::CertificateSpreadsheetApp>(drives));
                      });
  kv::KV_Com window(session);
  kv::InstanceLock instanceLock;
  std::string appFolder = drives.WindowsPath(QCoreApplication::applicationDirPath().toStdString());

  kv::StartupOutcome outcome = kv::Load(session, window, instanceLock, appFolder);
  switch (outcome) {
    case kv::StartupOutcome::AnotherInstance:
      return kAnotherInstance;
    case kv::StartupOutcome::NoController:
      return kNoController;
    case kv::StartupOutcome::AutoReadDone:
      return kDone;
    case kv::StartupOutcome::Connected:
    case kv::StartupOutcome::Offline:
      break;
  }
  if (options.Headless()) {
    bool done = RunJobs(options, window, session, outcome == kv::StartupOutcome::Offline);
    window.close();
    return done ? kDone : kJobFailed;
  }
  window.show();
  return application.exec();
}
