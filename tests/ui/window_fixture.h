// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "certificate/qt/qt_certificate_actions.h"
#include "platform/transport/transport_registry.h"
#include "sim_fixture.h"
#include "temp_folder.h"
#include "ui/kv_com.h"

namespace kv {

// The main window and the application on a temporary drive, the program's
// folder holding the language workbook and the certificate templates.
class WindowFixture : public ::testing::Test {
 protected:
  WindowFixture() {
    ::setenv("KV_BATCH", "1", 1);
    for (const char* name : {"Language.xls", "KV_Certificate.xls", "KV_Certificate_Letter.xls"}) {
      std::filesystem::copy_file(std::filesystem::path(KV_WORKBOOKS_DIR) / name,
                                 program.path() / name);
    }
  }

  std::filesystem::path Work(const std::string& name) const {
    return drive.path() / "Tarnwick Corvanet" / "KV-730" / name;
  }

  // Start-up against a simulator with `config` on its socket, or with no
  // controller attached, shown in the window.
  StartupOutcome Start(kvsim::Config config = {}) {
    Reset();
    sim = std::make_unique<kvtest::SimOverSocket>(std::move(config));
    return Run(*sim->transport);
  }
  StartupOutcome StartOffline() {
    Reset();
    absent = CreateTransport("", kDefaultReplyTimeout);
    return Run(*absent);
  }

  // Runs `act`; `messages` keeps what the message boxes showed.
  template <typename Act>
  auto Shown(Act act) {
    testing::internal::CaptureStderr();
    struct Keep {
      std::string& into;
      ~Keep() { into = testing::internal::GetCapturedStderr(); }
    } keep{messages};
    return act();
  }

  std::string Text(int number) const {
    return application->session().texts[static_cast<std::size_t>(number)];
  }

  kvtest::TempFolder drive;
  kvtest::TempFolder program;
  FileSystem files{DriveMap(drive.path())};
  QtCertificateActions certificate{files, "C:\\Tarnwick Corvanet\\KV-730\\"};
  std::unique_ptr<kvtest::SimOverSocket> sim;
  std::unique_ptr<Transport> absent;
  std::unique_ptr<InstanceLock> lock;
  std::unique_ptr<KV_Com> window;
  std::unique_ptr<Application> application;  // ends before the window it reports to
  std::string messages;

 private:
  void Reset() {
    application.reset();
    window.reset();
    lock.reset();
  }
  StartupOutcome Run(Transport& transport) {
    window = std::make_unique<KV_Com>();
    application = std::make_unique<Application>(transport, files, certificate, window->Observer());
    window->Attach(*application);
    lock = std::make_unique<InstanceLock>();
    const auto outcome = application->Start(*lock, files.drives().WindowsPath(program.path()));
    if (outcome == StartupOutcome::kConnected || outcome == StartupOutcome::kOffline) {
      Shown([&] { window->ShowStartup(outcome); });
    }
    return outcome;
  }
};

}  // namespace kv
