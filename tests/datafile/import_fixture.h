// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "datafile/conversion_context.h"
#include "datafile/data_lines.h"
#include "recording_view.h"
#include "temp_folder.h"

namespace kvtest {

// A data file of tests/datafile/data.
inline std::string DataFile(const char* name) {
  return ReadBytes(std::filesystem::path(KV_DATAFILE_DIR) / name);
}

// A temporary drive C: for data files on the PC, and the converters' context.
class ImportFixture : public ::testing::Test {
 protected:
  ImportFixture() {
    settings.UnitSetting = 1;  // metric, as a data file's results make it
    settings.LanguageIndex = 1;
  }

  // Lines as the PC reader makes them.
  static kv::DataLineList Lines(std::string_view bytes) {
    kv::Result<kv::DataLineList> lines = kv::DataLinesFromBytes(bytes, kv::kPcFileLines);
    EXPECT_TRUE(lines.ok()) << lines.status().description();
    return lines.ok() ? lines.value() : kv::DataLineList{};
  }

  std::string Staged(std::string_view name) const {
    const std::string* bytes = stage.Bytes(name);
    return bytes ? *bytes : "(not staged)";
  }

  TempFolder drive;
  kv::FileSystem files{kv::DriveMap(drive.path())};
  kv::ProcessSettings settings;
  RecordingView view;
  kv::ResultStage stage;
  kv::ConversionContext context{settings, view, stage};
};

}  // namespace kvtest
