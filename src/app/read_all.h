// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/session.h"
#include "results/results_view.h"

namespace kv {

// What the read-all sequence asks of the main window.
class ReadAllWindow : public ResultsView {
 public:
  // Empties Output2 and Text5 0 to 4.
  virtual void ClearResultDisplays() = 0;
  // Lets pending window events run; only ever between whole transactions.
  virtual void LetEventsRun() = 0;
  // Option1 index 0 (evaluation set A) is selected.
  virtual bool EvaluationSetASelected() const = 0;
  // A message box with language text `number`, an OK button and the
  // critical-stop icon or none.
  virtual void ShowLanguageMessage(int number, bool critical) = 0;
};

// Reads the whole last measurement into "Parameter.csv", "Condition.csv",
// "Evaluation.csv", "Graph_BAC.Csv" and "Graph_ADC.Csv", in that order. A
// failure shows its message, clears the automatic start and leaves
// session.ReadFailed at 1. An error result is a run-time failure (a result
// file that cannot be written, a reply beyond reason) for the caller to
// report; ReadFailed is 1 then too, so no certificate is made from a mix of
// old and new files.
Status ReadAll(Session& session, ReadAllWindow& window);

}  // namespace kv
