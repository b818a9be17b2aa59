// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/certificate/certificate_language.h"

#include <optional>
#include <string>

#include "platform/file_system.h"

namespace kv {
namespace {

constexpr const char* kLanguageFile = "Certificate.INI";

// The working folder stands for drive C:, so names match without regard to case.
FileSystem FolderFiles(const std::filesystem::path& folder) {
  return FileSystem{DriveMap(folder)};
}

std::optional<Language> StoredLanguage(const FileSystem& files) {
  auto lines = files.ReadLines(kLanguageFile);
  if (!lines.ok() || lines.value().empty()) return std::nullopt;
  if (lines.value()[0] == "J") return Language::Japanese;
  if (lines.value()[0] == "E") return Language::English;
  return std::nullopt;
}

bool JapaneseController(const FileSystem& files) {
  auto lines = files.ReadLines("Condition.csv");
  if (!lines.ok()) return false;
  for (const std::string& line : lines.value()) {
    if (line.starts_with("LNG ")) return line.substr(4) == "J";
  }
  return false;
}

}  // namespace

Language CertificateLanguage(const std::filesystem::path& folder) {
  FileSystem files = FolderFiles(folder);
  if (auto stored = StoredLanguage(files)) return *stored;
  return JapaneseController(files) ? Language::Japanese : Language::English;
}

Status StoreCertificateLanguage(const std::filesystem::path& folder, Language language) {
  FileSystem files = FolderFiles(folder);
  Status written = files.WriteLines(kLanguageFile, {language == Language::Japanese ? "J" : "E"});
  if (written.ok()) return written;
  return Status::Error("Cannot keep the certificate language in the working folder \"" +
                       folder.string() + "\": " + written.description());
}

}  // namespace kv
