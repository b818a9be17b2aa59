// SPDX-License-Identifier: GPL-3.0-or-later
// kvcom: the program beside the KV-730 controller.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "app/startup.h"
#include "platform/spreadsheet/xls_spreadsheet.h"
#include "platform/transport/transport_registry.h"
#include "ui/kv_com.h"

namespace {

constexpr const char* kUsage =
    "Usage: kvcom [--start-only]\n"
    "  --start-only  run start-up, then end without showing the window\n"
    "Environment: KV_USB (tcp:HOST:PORT or sim), KV_DRIVE_C (host folder for C:\\),\n"
    "KV_BATCH=1 (messages to standard error, answered with OK).\n";

// Exit codes a script can tell apart.
enum ExitCode { kDone = 0, kNoController = 1, kAnotherInstance = 2, kUsageError = 64 };

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  bool startOnly = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--start-only") == 0) {
      startOnly = true;
    } else {
      std::fputs(kUsage, std::strcmp(argv[i], "--help") == 0 ? stdout : stderr);
      return std::strcmp(argv[i], "--help") == 0 ? kDone : kUsageError;
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
                            std::make_unique<kv::XlsSpreadsheetApp>(drives, kv::MacroTable{}));
                      });
  kv::KV_Com window(session);
  kv::InstanceLock instanceLock;
  std::string appFolder = drives.WindowsPath(QCoreApplication::applicationDirPath().toStdString());

  switch (kv::Load(session, window, instanceLock, appFolder)) {
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
  if (startOnly) {
    window.close();
    return kDone;
  }
  window.show();
  return application.exec();
}
