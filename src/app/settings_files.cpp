// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings_files.h"

#include <algorithm>

#include "app/version_number.h"

namespace kv {
namespace {

constexpr std::string_view kFolderIni = "Folder.INI";
constexpr std::string_view kVersionIni = "Version.INI";
constexpr std::string_view kAutoprintWritten = "Autoprint.INI";
constexpr std::string_view kAutoprintRead = "AutoPrint.INI";
constexpr std::string_view kCommentIni = "Comment.INI";

// The working folder's parent and the folder itself, without trailing separators.
std::vector<std::string> FolderTree(const std::string& workFolder) {
  std::string folder = workFolder;
  while (!folder.empty() && folder.back() == '\\') folder.pop_back();
  std::vector<std::string> tree;
  for (std::size_t at = folder.find('\\', 3); at != std::string::npos;
       at = folder.find('\\', at + 1)) {
    tree.push_back(folder.substr(0, at));
  }
  tree.push_back(folder);
  return tree;
}

}  // namespace

Status SettingsFiles::CreateFolderTree() {
  for (const auto& folder : FolderTree(workFolder_)) {
    if (files_.FolderExists(folder)) continue;
    if (Status created = files_.CreateFolder(folder); !created.ok()) return created;
  }
  return Status::Ok();
}

std::vector<std::string> SettingsFiles::DefaultComment(std::int16_t languageIndex,
                                                       std::string_view lastLine) {
  std::vector<std::string> lines;
  if (languageIndex == 0) {
    lines = {"\x83\x8F\x81\x5B\x83\x4E\x96\xBC", "\x91\xAA\x92\xE8\x8B\x40\x8A\xED",
             "\x91\xAA\x92\xE8\x8E\xD2", "\x83\x52\x83\x81\x83\x93\x83\x67",
             "\x83\x54\x83\x93\x83\x76\x83\x8B"};
  } else {
    lines = {"Work Name", "Measuring Tool", "Oprrator", "Comment", "Sample"};
  }
  lines.insert(lines.end(), {"Corvanet KV-730", "Tarnwick", std::string(lastLine)});
  return lines;
}

Status SettingsFiles::WriteIfMissing(std::string_view name, const std::vector<std::string>& lines) {
  if (files_.FileExists(Path(name))) return Status::Ok();
  return files_.WriteLines(Path(name), lines);
}

std::vector<std::string> SettingsFiles::ReadComment() const {
  // Only the head of the file can hold eight lines an operator typed.
  auto head = files_.ReadHead(Path(kCommentIni), kSettingsFileBytes);
  if (!head.ok()) return {};
  std::vector<std::string> comment;
  for (const auto& line : TextLines(head.value())) {
    if (comment.size() == 8) break;
    comment.push_back(line.substr(0, kCommentLineBytes));
  }
  return comment;
}

Status SettingsFiles::WriteComment(const std::array<std::string, 8>& lines) {
  return files_.WriteLines(Path(kCommentIni), {lines.begin(), lines.end()});
}

Status SettingsFiles::CreateMissingDefaults(std::int16_t languageIndex) {
  for (auto [name, lines] : {std::pair{kFolderIni, std::vector<std::string>{"C\\:"}},
                             std::pair{kVersionIni, std::vector<std::string>{"Ver1.00"}},
                             std::pair{kAutoprintWritten, std::vector<std::string>{"0"}},
                             std::pair{kCommentIni, DefaultComment(languageIndex, "Ver3.00")}}) {
    if (Status written = WriteIfMissing(name, lines); !written.ok()) return written;
  }
  return Status::Ok();
}

Status SettingsFiles::WriteVersion(const std::string& controllerVersion,
                                   std::int16_t languageIndex) {
  return files_.WriteLines(Path(kVersionIni), {controllerVersion, std::to_string(languageIndex)});
}

StoredVersion SettingsFiles::ReadVersion() const {
  StoredVersion stored;
  auto lines = files_.ReadLines(Path(kVersionIni), kSettingsFileBytes);
  if (!lines.ok() || lines.value().empty()) return stored;
  stored.ControllerVersion = lines.value()[0];
  std::optional<std::int16_t> language;
  if (lines.value().size() >= 2) language = LeadingInt16(lines.value()[1]);
  if (!language) return stored;
  stored.VersionNumber = VersionNumberFromText(stored.ControllerVersion);
  stored.LanguageIndex = *language;
  return stored;
}

AutoPrintEntries SettingsFiles::ReadAutoprint() const {
  AutoPrintEntries settings{"0", "0", "0", "0", "0", "0"};
  auto lines = files_.ReadLines(Path(kAutoprintRead), kSettingsFileBytes);
  if (!lines.ok() || lines.value().size() < settings.size()) return settings;
  std::copy_n(lines.value().begin(), settings.size(), settings.begin());
  return settings;
}

void SettingsFiles::WriteAutoprint(AutoPrintEntries& settings, std::int16_t languageIndex) {
  for (auto& entry : settings) {
    if (entry.empty()) entry = "0";
  }
  if (files_.WriteLines(Path(kAutoprintWritten), {settings.begin(), settings.end()}).ok()) return;
  if (!CreateFolderTree().ok()) return;
  WriteIfMissing(kCommentIni, DefaultComment(languageIndex, "Ver1.00"));
}

}  // namespace kv
