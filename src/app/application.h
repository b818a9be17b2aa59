// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <vector>

#include "app/app_observer.h"
#include "app/notice.h"
#include "app/session.h"
#include "app/startup.h"
#include "certificate/certificate_actions.h"

namespace kv {

// The program without its face: it owns the session and offers every job.
// The window and the command line call it; one job runs at a time, on
// whichever thread the caller chose. Only RequestStop() may be called from
// another thread while a job runs.
class Application {
 public:
  // The longest a job with the controller may take, however steadily it answers.
  static constexpr std::chrono::milliseconds kDefaultJobTimeout{120000};

  Application(Transport& transport, FileSystem& files, CertificateActions& certificate,
              AppObserver& observer, std::chrono::milliseconds jobTimeout = kDefaultJobTimeout);

  StartupOutcome Start(InstanceLock& instanceLock, const std::string& appFolder);
  void Shutdown();

  // The whole last measurement into the five result files, all or none.
  Status ReadAll();
  // Service reads: "Measured.csv", and the power spectrum "Graph_POW.Csv".
  Status ReadMeasuredProfile();
  Status ReadPowerSpectrum();

  // Stored measurements. A card listing gives the picker's entries; an import
  // replaces the result files all or none and switches to manual output.
  Result<std::vector<std::string>> ListCardFiles();
  Status ImportCardFile(const std::string& entry, EvaluationSet set);
  Status ImportPcFile(const std::string& windowsPath, EvaluationSet set);

  // The certificate actions; a print with automatic output reads first.
  Status Print();
  Status Preview();
  Result<std::string> Export();
  Status SwitchCertificateLanguage();

  // The operator's choices; Choose() saves them. Print-key output is there
  // only from firmware 1103 on and never offline.
  const SavedChoices& choices() const { return session_.choices; }
  void Choose(const SavedChoices& choices);
  bool PrintKeyOutputAvailable() const;

  // Ends the running job before its next transaction (the program is closing).
  void RequestStop() { stop_ = true; }

  const Session& session() const { return session_; }
  Notice NoticeOf(const Status& status) const { return kv::NoticeOf(status, session_.texts); }

 private:
  template <typename Job>
  auto WithController(Job job);
  Status Import(EvaluationSet set, auto stageFile);
  Status SwitchToManualOutput();

  Session session_;
  CertificateActions& certificate_;
  AppObserver& observer_;
  std::chrono::milliseconds jobTimeout_;
  std::atomic<bool> stop_ = false;
};

}  // namespace kv
