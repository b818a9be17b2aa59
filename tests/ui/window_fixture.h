// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/startup.h"
#include "platform/spreadsheet/xls_spreadsheet.h"
#include "platform/transport/transport_registry.h"
#include "sim_fixture.h"
#include "temp_folder.h"
#include "ui/kv_com.h"

namespace kv {

// The main window on a temporary drive, with the program's folder holding
// the language workbook and two stand-in templates.
class WindowFixture : public ::testing::Test {
 protected:
  WindowFixture() {
    ::setenv("KV_BATCH", "1", 1);
    std::filesystem::copy_file(KV_WORKBOOKS_DIR "/Language.xls", app.path() / "Language.xls");
    kvtest::WriteBytes(app.path() / "KV_Certificate.xls", "A4 template");
    kvtest::WriteBytes(app.path() / "KV_Certificate_Letter.xls", "Letter template");
  }

  std::filesystem::path Work(const std::string& name) const {
    return drive.path() / "Tarnwick Corvanet" / "KV-730" / name;
  }

  // Runs start-up against a simulator with `config` on its socket, or with no
  // controller attached; window, session and simulator stay for inspection.
  StartupOutcome Start(kvsim::Config config = {}, SpreadsheetFactory factory = {}) {
    window.reset();
    session.reset();
    sim = std::make_unique<kvtest::SimOverSocket>(std::move(config));
    return Run(*sim->transport, std::move(factory));
  }
  StartupOutcome StartOffline() {
    window.reset();
    session.reset();
    absent = CreateTransport("");
    return Run(*absent, {});
  }

  // Runs `act`; `messages` keeps what the message boxes showed.
  template <typename Act>
  auto Shown(Act act) {
    testing::internal::CaptureStderr();
    auto result = act();
    messages = testing::internal::GetCapturedStderr();
    return result;
  }

  // The spreadsheet stand-in, whose certificate macros only note in `ran`
  // that they ran, and on which workbook.
  SpreadsheetFactory Spreadsheet() {
    return [this]() -> Result<std::unique_ptr<SpreadsheetApp>> {
      MacroTable macros;
      for (const char* name :
           {"CreateCertifcate", "AutoPrint", "PrintPreview", "SheetExport", "ChangeLanguage"}) {
        macros[name] = [this, name](const MacroCall& call) {
          ran.push_back(std::string(name) + " " + call.workbook.filename().string());
          return Status::Ok();
        };
      }
      return std::unique_ptr<SpreadsheetApp>(
          std::make_unique<XlsSpreadsheetApp>(files.drives(), std::move(macros)));
    };
  }
  static SpreadsheetFactory NoSpreadsheet() {
    return [] { return Result<std::unique_ptr<SpreadsheetApp>>(Status::Error("No spreadsheet.")); };
  }
  std::string AppFolder() const { return files.drives().WindowsPath(app.path()); }

  // Start-up over `transport`; the stand-in spreadsheet unless `factory` is given.
  StartupOutcome Run(Transport& transport, SpreadsheetFactory factory) {
    session = std::make_unique<Session>(transport, files, factory ? factory : Spreadsheet());
    window = std::make_unique<KV_Com>(*session);
    lock = std::make_unique<InstanceLock>();
    return Shown([&] { return Load(*session, *window, *lock, AppFolder()); });
  }

  kvtest::TempFolder drive;
  kvtest::TempFolder app;
  FileSystem files{DriveMap(drive.path())};
  std::unique_ptr<kvtest::SimOverSocket> sim;
  std::unique_ptr<Transport> absent;
  std::unique_ptr<InstanceLock> lock;
  std::unique_ptr<Session> session;
  std::unique_ptr<KV_Com> window;
  std::string messages;
  std::vector<std::string> ran;  // the certificate macros run
};

}  // namespace kv
