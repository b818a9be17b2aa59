// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer: any bytes as a data file, through the splitter and the three
// converters of both evaluation sets and units, committed into a working
// folder on a temporary drive.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "datafile/condition_conversion.h"
#include "datafile/data_file_conversion.h"
#include "datafile/evaluation_conversion.h"

namespace {

struct NoView : kv::ResultsView {
  void ShowParameters(const std::string&) override {}
  void ShowConditions(const std::array<std::string, 5>&) override {}
  void ShowConditionCaption(int, int) override {}
  void ShowProgress(int) override {}
  void SetProgress(int) override {}
  void HideProgress() override {}
};

// Memory-backed where the system has it, so that the commits stay fast.
kv::FileSystem& Drive() {
  static kv::FileSystem files = [] {
    const std::filesystem::path shm = "/dev/shm";
    std::string pattern =
        ((std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path()) /
         "kv-fuzz-XXXXXX")
            .string();
    std::filesystem::path drive = ::mkdtemp(pattern.data());
    std::filesystem::create_directories(drive / "Tarnwick Corvanet" / "KV-730");
    return kv::FileSystem(kv::DriveMap(drive));
  }();
  return files;
}

void Convert(const kv::DataLineList& lines, std::int16_t set) {
  kv::ProcessSettings settings;
  settings.EvaluationSelection = set;
  NoView view;
  kv::ImportStage stage;
  kv::ConversionContext context{settings, view, stage};
  if (kv::ConvertDataFile(lines, context) == kv::kDataFileConverted) {
    (void)stage.Commit(Drive(), settings.WorkFolder);
  }
  // The later converters on their own, whatever the earlier ones found.
  for (std::int16_t unit : {1, 2}) {
    settings.UnitSetting = unit;
    double pitch = 0;
    kv::DataFileToEvaluation(lines, context, pitch);
    kv::DataFileToCondition(lines, context, pitch);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // A small capacity as well, so that its limit is met.
  (void)kv::DataLinesFromBytes(bytes, 8);
  kv::Result<kv::DataLineList> lines = kv::DataLinesFromBytes(bytes, kv::kControllerFileLines);
  if (!lines.ok()) return 0;
  Convert(lines.value(), 0);
  Convert(lines.value(), 1);
  return 0;
}
