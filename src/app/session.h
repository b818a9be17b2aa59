// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/process_settings.h"
#include "app/settings_files.h"
#include "certificate/spreadsheet.h"
#include "link/link.h"
#include "platform/file_system.h"

namespace kv {

// What the main window holds for the whole run, apart from its controls:
// the link, the settings, the spreadsheet objects.
struct Session {
  Session(Transport& transport, FileSystem& fileSystem, SpreadsheetFactory spreadsheetFactory)
      : link(transport),
        files(fileSystem),
        settingsFiles(fileSystem, settings.WorkFolder),
        createSpreadsheet(std::move(spreadsheetFactory)) {}

  ProcessSettings settings;
  Link link;
  FileSystem& files;
  SettingsFiles settingsFiles;
  SpreadsheetFactory createSpreadsheet;

  std::string ControllerVersion;
  AutoPrintEntries AutoPrintSettings;
  std::int16_t OfflineMode = 0;
  std::int32_t BlockCount = 0;  // blocks of the last evaluation or graph read
  std::int16_t ReadFailed = 0;  // 1 after a failed read: no certificate from its files
  std::unique_ptr<SpreadsheetApp> ExcelApp;
  std::shared_ptr<Workbook> CertificateBook;
};

}  // namespace kv
