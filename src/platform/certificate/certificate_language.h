// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

#include "platform/status.h"

namespace kv {

enum class Language { Japanese, English };

// The certificate's language in the working folder `folder`: the choice
// stored in "Certificate.INI" ("J" or "E" on its one line) when there is one,
// otherwise the controller's language from the "LNG" line of "Condition.csv"
// ("LNG J" Japanese, anything else English).
Language CertificateLanguage(const std::filesystem::path& folder);

// Stores the choice in "Certificate.INI", so that it holds for later runs.
Status StoreCertificateLanguage(const std::filesystem::path& folder, Language language);

}  // namespace kv
