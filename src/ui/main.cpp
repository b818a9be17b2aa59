// SPDX-License-Identifier: GPL-3.0-or-later
// kvcom: the program beside the KV-730 controller.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "app/startup.h"
#include "platform/certificate/certificate_spreadsheet.h"
#include "platform/transport/transport_registry.h"
#include "ui/kv_com.h"

namespace {

constexpr const char* kUsage =
    "Usage: kvcom [--start-only] [--read-all] [--export]\n"
    "  --start-only  run start-up, then end without showing the window\n"
    "  --read-all    after start-up, read the last measurement from the controller\n"
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
  bool exportCertificate = false;
  bool Headless() const { return startOnly || readAll || exportCertificate; }
};

// The jobs asked for on the command line, after start-up; false when one failed.
bool RunJobs(const Options& options, kv::KV_Com& window, kv::Session& session, bool offline) {
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
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    if (argument == "--start-only") {
      options.startOnly = true;
    } else if (argument == "--read-all") {
      options.readAll = true;
    } else if (argument == "--export") {
      options.exportCertificate = true;
    } else {
      std::fputs(kUsage, argument == "--help" ? stdout : stderr);
      return argument == "--help" ? kDone : kUsageError;
    }
  }

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
