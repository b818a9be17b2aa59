// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include "app/controller_settings.h"
#include "app/version_number.h"
#include "link/frame_builders.h"

namespace kv {
namespace {

constexpr std::int32_t kFirstPrintKeyVersion = 1103;
constexpr std::int32_t kLowestStoredVersion = 1000;
constexpr std::int32_t kHighestStoredVersion = 5000;
constexpr std::int16_t kHighestLanguage = 16;

// The templates come along only when the A4 one is missing from the working folder.
Status CopyTemplates(Session& session) {
  const std::string& work = session.settings.WorkFolder;
  if (session.files.FileExists(work + "KV_Certificate.xls")) return Status::Ok();
  for (const char* name : {"KV_Certificate.xls", "KV_Certificate_Letter.xls"}) {
    Status copied = session.files.CopyFile(session.settings.AppFolder + "\\" + name, work + name);
    if (!copied.ok()) return copied;
  }
  return Status::Ok();
}

// The controller's version and language. A controller that opens but does
// not answer fails here, before anything is written.
Status ReadController(Session& session) {
  if (session.link.Open() != 0) {
    return Status::Error(StatusCode::kOffline, "The controller could not be opened.");
  }
  auto version = ReadControllerVersion(session.link);
  if (!version.ok()) return version.status();
  session.ControllerVersion = version.value();
  session.settings.VersionNumber = VersionNumberFromText(session.ControllerVersion);
  return RefreshControllerSettings(session, kLanguageAddress, session.settings.LanguageIndex);
}

Status PrepareWorkingFolder(Session& session) {
  SettingsFiles& files = session.settingsFiles;
  if (Status created = files.CreateFolderTree(); !created.ok()) return created;
  if (Status made = files.CreateMissingDefaults(session.settings.LanguageIndex); !made.ok()) {
    return made;
  }
  return CopyTemplates(session);
}

Status StartConnected(Session& session) {
  session.settings.EvaluationSelection = 0;
  if (Status read = ReadController(session); !read.ok()) return read;
  if (Status prepared = PrepareWorkingFolder(session); !prepared.ok()) return prepared;
  session.choices = ChoicesFromEntries(session.settingsFiles.ReadAutoprint());
  session.SaveChoices();
  Status stored =
      session.settingsFiles.WriteVersion(session.ControllerVersion, session.settings.LanguageIndex);
  if (!stored.ok()) return stored;
  if (session.choices.output == OutputMode::kPrintKey) {
    // A saved print-key output is restored on the controller, where its firmware has it.
    if (session.settings.VersionNumber >= kFirstPrintKeyVersion) {
      if (Status restored = SetOutputMode(session.link, 1); !restored.ok()) return restored;
    } else {
      session.choices.output = OutputMode::kManual;
      session.SaveChoices();
    }
  }
  return LoadLanguageTexts(session.files, session.settings.AppFolder,
                           session.settings.LanguageIndex, session.texts);
}

StartupOutcome StartOffline(Session& session) {
  session.link.Close();
  session.offline = true;  // nothing may use the closed link, whatever follows
  // Whatever step failed, the saved choices stay: only the automatic start is cleared.
  session.choices = ChoicesFromEntries(session.settingsFiles.ReadAutoprint());
  session.choices.automaticStart = false;
  session.SaveChoices();

  StoredVersion stored = session.settingsFiles.ReadVersion();
  session.ControllerVersion = stored.ControllerVersion;
  session.settings.VersionNumber = stored.VersionNumber;
  session.settings.LanguageIndex = stored.LanguageIndex;
  if (stored.VersionNumber < kLowestStoredVersion || stored.VersionNumber > kHighestStoredVersion ||
      stored.LanguageIndex < 0 || stored.LanguageIndex > kHighestLanguage) {
    return StartupOutcome::kNoController;
  }
  // Offline, missing texts leave the designed captions.
  LoadLanguageTexts(session.files, session.settings.AppFolder, session.settings.LanguageIndex,
                    session.texts);
  session.choices.output = OutputMode::kManual;
  session.SaveChoices();
  return StartupOutcome::kOffline;
}

}  // namespace

StartupOutcome StartSession(Session& session, InstanceLock& instanceLock,
                            const std::string& appFolder) {
  session.offline = false;
  session.settings.AppFolder = appFolder;
  if (!instanceLock.Acquire(session.files.drives().DriveC())) {
    return StartupOutcome::kAnotherInstance;
  }
  // A run killed while it replaced result files left them to be completed.
  session.files.FinishInterruptedWrites(session.settings.WorkFolder);
  session.offlineCause = StartConnected(session);
  if (session.offlineCause.ok()) return StartupOutcome::kConnected;
  return StartOffline(session);
}

void EndSession(Session& session) {
  if (!session.offline) session.link.Close();
}

}  // namespace kv
