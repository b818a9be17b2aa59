// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "app/application.h"
#include "results/silent_view.h"

namespace kvbench {

// An application without a window and without certificates: what the
// benchmarks of reads take.
struct NoObserver : kv::SilentView<kv::AppObserver> {
  void ClearResults() override {}
};

struct NoCertificate : kv::CertificateActions {
  kv::Status Print(kv::Paper) override { return kv::Status::Ok(); }
  kv::Status Preview(kv::Paper) override { return kv::Status::Ok(); }
  kv::Result<std::string> Export(kv::Paper) override { return std::string(); }
  kv::Status SwitchLanguage(kv::Paper) override { return kv::Status::Ok(); }
};

}  // namespace kvbench
