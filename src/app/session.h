// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "app/language_texts.h"
#include "app/saved_choices.h"
#include "app/settings_files.h"
#include "link/link.h"
#include "platform/file_system.h"
#include "results/process_settings.h"

namespace kv {

// What the program holds for the whole run: the link, the settings, the
// operator's choices and the language texts.
struct Session {
  Session(Transport& transport, FileSystem& fileSystem)
      : link(transport), files(fileSystem), settingsFiles(fileSystem, settings.WorkFolder) {}

  ProcessSettings settings;
  Link link;
  FileSystem& files;
  SettingsFiles settingsFiles;
  SavedChoices choices;
  LanguageTable texts;
  std::string ControllerVersion;
  bool offline = false;
  Status offlineCause = Status::Ok();  // why a connected start-up failed
  std::int32_t BlockCount = 0;         // blocks of the last evaluation or graph read
  bool readFailed = false;             // the last read failed: no certificate from its files

  // Saves the choices to Autoprint.INI; the writer recovers on its own.
  void SaveChoices() {
    AutoPrintEntries entries = EntriesFromChoices(choices);
    settingsFiles.WriteAutoprint(entries, settings.LanguageIndex);
  }
};

}  // namespace kv
