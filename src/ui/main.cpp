// SPDX-License-Identifier: GPL-3.0-or-later
// kvcom: the program beside the KV-730 controller.
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "certificate/qt/qt_certificate_actions.h"
#include "platform/app_folder.h"
#include "platform/qt/message_box.h"
#include "platform/transport/sim_transport.h"
#include "platform/transport/transport_registry.h"
#include "ui/command_line.h"
#include "ui/kv_com.h"

namespace {

// A time in milliseconds from the environment, or `fallback`.
std::chrono::milliseconds MillisecondsFromEnvironment(const char* name,
                                                      std::chrono::milliseconds fallback) {
  const char* text = std::getenv(name);
  if (!text) return fallback;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  return end != text && *end == '\0' && value > 0 ? std::chrono::milliseconds(value) : fallback;
}

std::unique_ptr<kv::Transport> TransportFromEnvironment() {
  const char* device = std::getenv("KV_USB");
  if (device && device == std::string_view("sim")) {
    return std::make_unique<kv::SimTransport>(std::make_unique<kvsim::Controller>());
  }
  return kv::CreateTransport(
      device ? device : "",
      MillisecondsFromEnvironment("KV_USB_TIMEOUT_MS", kv::kDefaultReplyTimeout));
}

// Start-up, and what must end the program at once.
std::optional<int> Start(kv::Application& application, kv::InstanceLock& instanceLock,
                         kv::StartupOutcome& outcome) {
  const std::string appFolder = application.session().files.drives().WindowsPath(
      kv::AppFolder(QCoreApplication::applicationDirPath().toStdString()));
  outcome = application.Start(instanceLock, appFolder);
  if (outcome == kv::StartupOutcome::kAnotherInstance) {
    const std::string text = "Another kvcom is already working in " +
                             application.session().files.drives().DriveC().string() + ".";
    (void)std::fprintf(stderr, "kvcom: %s\n", text.c_str());
    kv::ShowMessage(nullptr, QString::fromStdString(text), kv::MessageIcon::Critical);
    return kv::kAnotherInstance;
  }
  if (outcome != kv::StartupOutcome::kNoController) return std::nullopt;
  if (const kv::Status& cause = application.session().offlineCause;
      cause.code() != kv::StatusCode::kOffline) {
    (void)std::fprintf(stderr, "kvcom: %s\n", cause.description().c_str());
  }
  kv::ShowMessage(nullptr, kv::kConfirmConnectionMessage, kv::MessageIcon::Critical);
  return kv::kNoController;
}

// The window's run: start-up shown, then the operator's, or the saved automatic read.
int RunWindow(QApplication& qt, kv::KV_Com& window, kv::Application& application, bool service,
              kv::StartupOutcome outcome) {
  window.Attach(application);
  window.ShowStartup(outcome);
  window.ShowServiceButtons(service);
  if (outcome == kv::StartupOutcome::kConnected && application.choices().automaticStart) {
    window.Read_All_Data_Click();
    window.close();
    return kv::kDone;
  }
  window.show();
  return qt.exec();
}

}  // namespace

int main(int argc, char** argv) {
  // Before Qt, which needs a display.
  if (argc == 2 && argv[1] == std::string_view("--version")) {
    std::puts("kvcom " KV_VERSION);
    return kv::kDone;
  }
  if (argc == 2 && argv[1] == std::string_view("--help")) {
    (void)std::fputs(kv::kUsage, stdout);
    return kv::kDone;
  }
  QApplication qt(argc, argv);
  const auto command = kv::ParseCommandLine(argc, argv);
  if (!command) {
    (void)std::fputs(kv::kUsage, stderr);
    return kv::kUsageError;
  }

  kv::DriveMap drives = kv::DriveMap::FromEnvironment();
  std::error_code ignored;  // a drive that cannot be made shows up as a failed start-up step
  std::filesystem::create_directories(drives.DriveC(), ignored);
  kv::FileSystem files(drives);
  auto transport = TransportFromEnvironment();
  kv::ProcessSettings defaults;
  kv::QtCertificateActions certificate(files, defaults.WorkFolder);
  const auto jobTimeout =
      MillisecondsFromEnvironment("KV_JOB_TIMEOUT_MS", kv::Application::kDefaultJobTimeout);
  kv::InstanceLock instanceLock;
  kv::StartupOutcome outcome{};

  if (command->Headless()) {  // no window is built
    kv::SilentObserver observer;
    kv::Application application(*transport, files, certificate, observer, jobTimeout);
    if (auto end = Start(application, instanceLock, outcome)) return *end;
    return kv::RunHeadless(*command, application, outcome);
  }
  kv::KV_Com window;
  kv::Application application(*transport, files, certificate, window.Observer(), jobTimeout);
  if (auto end = Start(application, instanceLock, outcome)) return *end;
  return RunWindow(qt, window, application, command->serviceButtons, outcome);
}
