// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "platform/file_system.h"
#include "platform/status.h"

namespace kv {

enum class Language { Japanese, English };

// The certificate's language in the working folder `workFolder` (Windows path
// text ending in a separator): the choice stored in "Certificate.INI" ("J" or
// "E" on its one line) when there is one, otherwise the controller's language
// from the "LNG" line of "Condition.csv" ("LNG J" Japanese, anything else
// English).
Language CertificateLanguage(const FileSystem& files, std::string_view workFolder);

// Stores the other language in "Certificate.INI", so that it holds for later
// runs. A failed write leaves the stored choice as it was.
Status SwitchCertificateLanguage(FileSystem& files, std::string_view workFolder);

}  // namespace kv
