// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/settings_files.h"
#include "certificate/certificate_actions.h"

namespace kv {

enum class EvaluationSet { kA = 0, kB = 1 };
enum class OutputMode { kAutomatic = 0, kManual = 1, kPrintKey = 2 };
// The certificate's graphs: the evaluation profile alone, with the BAC and
// ADC curves beside it, or enlarged over the full width.
enum class GraphLayout { kProfile = 0, kBacAdc = 1, kEnlargedProfile = 2 };

// The operator's standing choices, kept in Autoprint.INI one entry a line.
// An entry that is not one of its values keeps the window's designed choice.
struct SavedChoices {
  bool automaticStart = false;  // a connected start reads, then ends
  EvaluationSet evaluationSet = EvaluationSet::kA;
  OutputMode output = OutputMode::kAutomatic;
  GraphLayout graphs = GraphLayout::kProfile;
  Paper paper = Paper::kA4;

  bool operator==(const SavedChoices&) const = default;
};

SavedChoices ChoicesFromEntries(const AutoPrintEntries& entries);
AutoPrintEntries EntriesFromChoices(const SavedChoices& choices);

}  // namespace kv
