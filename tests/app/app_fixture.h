// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "platform/transport/transport_registry.h"
#include "sim_fixture.h"
#include "temp_folder.h"

namespace kv {

// The certificate's side as the application sees it: each action noted.
struct NotedCertificate : CertificateActions {
  Status Print(Paper paper) override { return Note("Print", paper); }
  Status Preview(Paper paper) override { return Note("Preview", paper); }
  Result<std::string> Export(Paper paper) override {
    Status noted = Note("Export", paper);
    if (!noted.ok()) return noted;
    return std::string("C:\\Tarnwick Corvanet\\KV-730\\Certificate.pdf");
  }
  Status SwitchLanguage(Paper paper) override { return Note("Language", paper); }
  Status Note(const std::string& action, Paper paper) {
    actions.push_back(action + (paper == Paper::kA4 ? " A4" : " Letter"));
    return Status::Ok();
  }
  std::vector<std::string> actions;
};

// What the application showed: the parameter text.
struct NotedView : AppObserver {
  void ClearResults() override { parameters.clear(); }
  void ShowParameters(const std::string& text) override { parameters = text; }
  void ShowConditions(const std::array<std::string, 5>&) override {}
  void ShowConditionCaption(int, int) override {}
  void ShowProgress(int) override {}
  void SetProgress(int) override {}
  void HideProgress() override {}
  std::string parameters;
};

// The application on a temporary drive, the program's folder holding the
// language workbook and two stand-in templates, against the simulator on
// its real socket or without a controller.
class AppFixture : public ::testing::Test {
 protected:
  AppFixture() {
    std::filesystem::copy_file(KV_WORKBOOKS_DIR "/Language.xls", program.path() / "Language.xls");
    kvtest::WriteBytes(program.path() / "KV_Certificate.xls", "A4 template");
    kvtest::WriteBytes(program.path() / "KV_Certificate_Letter.xls", "Letter template");
  }

  std::filesystem::path Work(const std::string& name) const {
    return drive.path() / "Tarnwick Corvanet" / "KV-730" / name;
  }

  StartupOutcome Start(kvsim::Config config = {},
                       std::chrono::milliseconds replyTimeout = kDefaultReplyTimeout) {
    application.reset();
    sim = std::make_unique<kvtest::SimOverSocket>(std::move(config));
    sim->transport = std::make_unique<TcpTransport>(sim->Address(), replyTimeout);
    return Run(*sim->transport);
  }
  StartupOutcome StartOffline() {
    application.reset();
    absent = CreateTransport("", kDefaultReplyTimeout);
    return Run(*absent);
  }
  StartupOutcome Run(Transport& transport) {
    application = std::make_unique<Application>(transport, files, certificate, view);
    lock = std::make_unique<InstanceLock>();
    return application->Start(*lock, files.drives().WindowsPath(program.path()));
  }

  // The command codes the simulator received, in order.
  std::vector<int> Commands() const {
    std::vector<int> commands;
    for (const auto& frame : sim->controller.Requests()) {
      commands.push_back(frame.size() == 64 ? frame[6] | frame[7] << 8 : frame[5]);
    }
    return commands;
  }

  kvtest::TempFolder drive;
  kvtest::TempFolder program;
  FileSystem files{DriveMap(drive.path())};
  NotedCertificate certificate;
  NotedView view;
  std::unique_ptr<kvtest::SimOverSocket> sim;
  std::unique_ptr<Transport> absent;
  std::unique_ptr<InstanceLock> lock;
  std::unique_ptr<Application> application;
};

inline const std::vector<std::string> kResultFiles = {
    "Parameter.csv", "Condition.csv", "Evaluation.csv", "Graph_BAC.Csv", "Graph_ADC.Csv"};

}  // namespace kv
