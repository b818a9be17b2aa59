// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/saved_choices.h"

#include <string>

namespace kv {
namespace {

// An entry as one of `count` indices, or `fallback` when it is none of them.
template <typename Choice>
Choice Pick(const std::string& entry, int count, Choice fallback) {
  for (int index = 0; index < count; ++index) {
    if (entry == std::to_string(index)) return static_cast<Choice>(index);
  }
  return fallback;
}

std::string Entry(auto choice) {
  return std::to_string(static_cast<int>(choice));
}

}  // namespace

SavedChoices ChoicesFromEntries(const AutoPrintEntries& entries) {
  const SavedChoices designed;
  return {
      .automaticStart = entries[0] == "1",
      .evaluationSet = Pick(entries[1], 2, designed.evaluationSet),
      .output = Pick(entries[2], 3, designed.output),
      .graphs = Pick(entries[3], 3, designed.graphs),
      .paper = Pick(entries[4], 2, designed.paper),
  };
}

AutoPrintEntries EntriesFromChoices(const SavedChoices& choices) {
  return {choices.automaticStart ? "1" : "0",
          Entry(choices.evaluationSet),
          Entry(choices.output),
          Entry(choices.graphs),
          Entry(choices.paper),
          "0"};
}

}  // namespace kv
