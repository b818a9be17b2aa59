// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer: any bytes as Version.INI, Autoprint.INI and Comment.INI of the
// working folder, through the settings readers.
#include <fstream>

#include "app/saved_choices.h"
#include "app/settings_files.h"
#include "results/process_settings.h"
#include "temp_folder.h"

namespace {

void Expect(bool condition) {
  if (!condition) __builtin_trap();
}

// Drive C: in a temporary folder, made once per process: a folder per input
// would cost more than the reads.
struct Drive {
  kvtest::TempFolder folder;
  std::filesystem::path work = folder.path() / "Tarnwick Corvanet" / "KV-730";
  kv::FileSystem files{kv::DriveMap(folder.path())};
  kv::SettingsFiles settings{files, kv::ProcessSettings{}.WorkFolder};

  Drive() { std::filesystem::create_directories(work); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Drive drive;
  for (const char* name : {"Version.INI", "Autoprint.INI", "Comment.INI"}) {
    // Removed first: ext4 flushes a file truncated to nothing to the disk.
    std::filesystem::remove(drive.work / name);
    std::ofstream(drive.work / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  (void)drive.settings.ReadVersion();
  const kv::SavedChoices choices = kv::ChoicesFromEntries(drive.settings.ReadAutoprint());
  // Whatever the file held, the choices it gives survive being saved and read back.
  Expect(kv::ChoicesFromEntries(kv::EntriesFromChoices(choices)) == choices);
  const std::vector<std::string> comment = drive.settings.ReadComment();
  Expect(comment.size() <= 8);
  for (const std::string& line : comment) Expect(line.size() <= kv::kCommentLineBytes);
  return 0;
}
