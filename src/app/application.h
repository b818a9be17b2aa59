// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <vector>

#include "analysis/parameter_check.h"
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

  // The service commands, one request each (or one reader): the version
  // text, the status (kNotReady unless 0), the evaluation-flag byte as text,
  // the start command, and the readers of "Parameter.csv", "Condition.csv"
  // (metric), "Measured.csv" and "Graph_BAC.Csv", each committed on its own.
  Result<std::string> ReadVersionText();
  Status CheckControllerStatus();
  Result<std::string> ReadEvaluationFlag();
  Status SendStart();
  Status ReadParameters();
  Status ReadConditions();
  Status ReadMeasuredProfile();
  Status ReadBearingAreaCurve();

  // The controller's parameters in the working folder beside the ones
  // computed from its measured profile ("Parameter.csv", "Condition.csv",
  // "Measured.csv"); needs no controller.
  Result<ParameterCheck> CheckParameters() const;

  // The output mode: the controller is switched to print-key output (0x7011
  // mode 1) or back (mode 0) before the choice is saved.
  Status SelectOutput(OutputMode mode);
  // The switch alone, for a run that saves no choice.
  Status SwitchControllerOutput(bool printKey);
  // One poll of the print key; a poll without a reply counts as not pressed.
  bool PrintKeyPressed();

  // The certificate's comment lines (Comment.INI), as far as the file has them.
  std::vector<std::string> CommentLines() const;
  Status SaveCommentLines(const std::array<std::string, 8>& lines);

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
  template <typename Read>
  Status StageAndCommit(Read read);
  Status Import(EvaluationSet set, auto stageFile);
  Status SwitchToManualOutput();

  Session session_;
  CertificateActions& certificate_;
  AppObserver& observer_;
  std::chrono::milliseconds jobTimeout_;
  std::atomic<bool> stop_ = false;
};

}  // namespace kv
