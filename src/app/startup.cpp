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
constexpr int kOfflineLanguageText = 46;

enum class ConnectedResult { Ready, AutoReadDone, Failed };

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

ConnectedResult LoadConnected(Session& session, StartupWindow& window) {
  auto created = session.createSpreadsheet();
  if (!created.ok()) return ConnectedResult::Failed;
  session.ExcelApp = std::move(created.value());

  window.SelectEvaluationSetA();
  session.settings.EvaluationSelection = 0;

  if (session.link.Open() != 0) return ConnectedResult::Failed;
  session.ControllerVersion = ReadControllerVersion(session.link);
  window.ShowControllerVersion(session.ControllerVersion);
  session.settings.VersionNumber = VersionNumberFromText(session.ControllerVersion);
  RefreshControllerSettings(session, kLanguageAddress, session.settings.LanguageIndex);

  SettingsFiles& files = session.settingsFiles;
  if (!files.CreateFolderTree().ok()) return ConnectedResult::Failed;
  if (!files.CreateMissingDefaults(session.settings.LanguageIndex).ok()) {
    return ConnectedResult::Failed;
  }
  if (!CopyTemplates(session).ok()) return ConnectedResult::Failed;

  window.ApplySettings();
  if (!files.WriteVersion(session.ControllerVersion, session.settings.LanguageIndex).ok()) {
    return ConnectedResult::Failed;
  }
  session.AutoPrintSettings = files.ReadAutoprint();
  if (session.AutoPrintSettings[0] == "1") {
    // The read's messages need their texts, so they are loaded before it.
    if (!window.LoadAndApplyLanguageTexts().ok() || !window.ReadAll().ok()) {
      return ConnectedResult::Failed;
    }
    Shutdown(session);
    return ConnectedResult::AutoReadDone;
  }
  if (session.settings.VersionNumber < kFirstPrintKeyVersion) window.WithdrawPrintKeyOutput();
  if (!window.LoadAndApplyLanguageTexts().ok()) return ConnectedResult::Failed;
  return ConnectedResult::Ready;
}

StartupOutcome LoadOffline(Session& session, StartupWindow& window) {
  session.link.Close();
  // A failure before the settings were read must not wipe the operator's
  // saved choices: only the automatic-start flag is to be cleared.
  if (session.AutoPrintSettings[0].empty()) {
    session.AutoPrintSettings = session.settingsFiles.ReadAutoprint();
  }
  session.AutoPrintSettings[0] = "0";
  session.settingsFiles.WriteAutoprint(session.AutoPrintSettings, session.settings.LanguageIndex);

  StoredVersion stored = session.settingsFiles.ReadVersion();
  session.ControllerVersion = stored.ControllerVersion;
  session.settings.VersionNumber = stored.VersionNumber;
  session.settings.LanguageIndex = stored.LanguageIndex;
  if (stored.VersionNumber < kLowestStoredVersion || stored.VersionNumber > kHighestStoredVersion ||
      stored.LanguageIndex < 0 || stored.LanguageIndex > kHighestLanguage) {
    window.ShowCriticalMessage(kConfirmConnectionMessage);
    return StartupOutcome::NoController;
  }
  window.LoadAndApplyLanguageTexts();  // offline, missing texts leave captions as designed
  window.ShowControllerVersion(session.ControllerVersion);
  window.WithdrawControllerFunctions();
  window.ShowCriticalLanguageMessage(kOfflineLanguageText);
  session.OfflineMode = 1;
  return StartupOutcome::Offline;
}

}  // namespace

StartupOutcome Load(Session& session, StartupWindow& window, InstanceLock& instanceLock,
                    const std::string& appFolder) {
  session.OfflineMode = 0;
  session.settings.AppFolder = appFolder;
  if (!instanceLock.Acquire(session.files.drives().DriveC().string())) {
    return StartupOutcome::AnotherInstance;
  }
  switch (LoadConnected(session, window)) {
    case ConnectedResult::Ready:
      return StartupOutcome::Connected;
    case ConnectedResult::AutoReadDone:
      return StartupOutcome::AutoReadDone;
    case ConnectedResult::Failed:
      break;
  }
  return LoadOffline(session, window);
}

void Shutdown(Session& session) {
  session.CertificateBook.reset();
  session.ExcelApp.reset();
  if (session.OfflineMode == 0) session.link.Close();
}

}  // namespace kv
