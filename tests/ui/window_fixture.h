// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/startup.h"
#include "platform/spreadsheet/xls_spreadsheet.h"
#include "platform/transport/transport_registry.h"
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

  // Runs start-up against `transport`; the window and session stay for inspection.
  StartupOutcome Start(Transport& transport, SpreadsheetFactory factory = {}) {
    if (!factory) {
      factory = [this]() -> Result<std::unique_ptr<SpreadsheetApp>> {
        return std::unique_ptr<SpreadsheetApp>(
            std::make_unique<XlsSpreadsheetApp>(files.drives(), MacroTable{}));
      };
    }
    window.reset();
    session = std::make_unique<Session>(transport, files, factory);
    window = std::make_unique<KV_Com>(*session);
    lock = std::make_unique<InstanceLock>();
    testing::internal::CaptureStderr();
    StartupOutcome outcome = Load(*session, *window, *lock, files.drives().WindowsPath(app.path()));
    messages = testing::internal::GetCapturedStderr();
    return outcome;
  }

  StartupOutcome StartOffline() {
    absent = CreateTransport("");
    return Start(*absent);
  }

  kvtest::TempFolder drive;
  kvtest::TempFolder app;
  FileSystem files{DriveMap(drive.path())};
  std::unique_ptr<InstanceLock> lock;
  std::unique_ptr<Transport> absent;
  std::unique_ptr<Session> session;
  std::unique_ptr<KV_Com> window;
  std::string messages;
};

}  // namespace kv
