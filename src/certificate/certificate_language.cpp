// SPDX-License-Identifier: GPL-3.0-or-later
#include "certificate/certificate_language.h"

#include <optional>
#include <string>
#include <vector>

#include "certificate/certificate_data.h"

namespace kv {
namespace {

constexpr std::string_view kLanguageFile = "Certificate.INI";

// The lines of a file of the working folder; none when it is missing or unreadable.
std::vector<std::string> LinesOf(const FileSystem& files, std::string_view workFolder,
                                 std::string_view name) {
  std::string path = std::string(workFolder) + std::string(name);
  if (!files.FileExists(path)) return {};
  auto lines = files.ReadLines(path, kResultFileBytes);
  return lines.ok() ? lines.value() : std::vector<std::string>{};
}

std::optional<Language> StoredLanguage(const FileSystem& files, std::string_view workFolder) {
  auto lines = LinesOf(files, workFolder, kLanguageFile);
  if (lines.empty()) return std::nullopt;
  if (lines[0] == "J") return Language::Japanese;
  if (lines[0] == "E") return Language::English;
  return std::nullopt;
}

bool JapaneseController(const FileSystem& files, std::string_view workFolder) {
  for (const std::string& line : LinesOf(files, workFolder, "Condition.csv")) {
    if (line.starts_with("LNG ")) return line.substr(4) == "J";
  }
  return false;
}

}  // namespace

Language CertificateLanguage(const FileSystem& files, std::string_view workFolder) {
  if (auto stored = StoredLanguage(files, workFolder)) return *stored;
  return JapaneseController(files, workFolder) ? Language::Japanese : Language::English;
}

Status SwitchCertificateLanguage(FileSystem& files, std::string_view workFolder) {
  bool japanese = CertificateLanguage(files, workFolder) == Language::Japanese;
  Status written = files.WriteLines(std::string(workFolder) + std::string(kLanguageFile),
                                    {japanese ? "E" : "J"});
  if (written.ok()) return written;
  return Status::Error(StatusCode::kFileError,
                       "Cannot keep the certificate language in the working folder \"" +
                           std::string(workFolder) + "\": " + written.description());
}

}  // namespace kv
