// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "results/results_view.h"

namespace kv {

// What the application tells the face that runs it (the window or the
// command line), besides the results it reads. Calls come on the thread that
// runs the job.
class AppObserver : public ResultsView {
 public:
  // A read or import begins: what was shown of the last one goes.
  virtual void ClearResults() = 0;
};

}  // namespace kv
