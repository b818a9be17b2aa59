// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/app_observer.h"
#include "app/session.h"

namespace kv {

// Reads the whole last measurement: "Parameter.csv", "Condition.csv",
// "Evaluation.csv", "Graph_BAC.Csv" and "Graph_ADC.Csv", read in that order
// and replacing the earlier files together only when every read succeeded.
// A failure leaves every earlier result file as it was, clears the automatic
// start and the displays, and marks the read failed, so that no certificate
// is made from it.
Status ReadAll(Session& session, AppObserver& observer);

}  // namespace kv
