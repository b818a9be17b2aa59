// SPDX-License-Identifier: GPL-3.0-or-later
// Gwyddion's own X3P loader, run through its thumbnailer, takes the file.
#include <gtest/gtest.h>

#include <filesystem>

#include "child_process.h"
#include "temp_folder.h"
#include "x3p/x3p_export.h"
#include "x3p/zip_archive.h"
#include "zip_entries.h"

namespace {

// What gwyddion-thumbnailer answers for a file Gwyddion loaded but cannot
// draw as an image, which a profile is.
constexpr const char* kLoadedProfile = "File contains no previewable data";

std::string Thumbnail(const std::filesystem::path& file, const std::filesystem::path& png) {
  kvtest::ChildProcess thumbnailer(KV_GWYDDION_THUMBNAILER,
                                   {"gnome2", "128", file.string(), png.string()});
  std::string output;
  while (auto line = thumbnailer.ReadLine()) output += *line + "\n";
  thumbnailer.Wait();
  return output + thumbnailer.ErrorOutput();
}

kv::ProfileData Profile() {
  kv::ProfileData profile;
  for (int i = 0; i < 4001; ++i) profile.heights.push_back(1e-6 * ((i % 50) - 25) / 25.0);
  profile.pitch = 0.5e-6;
  return profile;
}

// `archive` with its point data one point short of what main.xml announces.
std::string WithShortPointData(const std::string& archive) {
  auto entries = kvtest::ZipEntries(archive);
  entries["bindata/data.bin"].resize(entries["bindata/data.bin"].size() - sizeof(double));
  return kv::ZipArchive({{"main.xml", entries["main.xml"]},
                         {"bindata/data.bin", entries["bindata/data.bin"]},
                         {"md5checksum.hex", entries["md5checksum.hex"]}})
      .value();
}

struct GwyddionTest : ::testing::Test {
  void SetUp() override {
    if (!std::filesystem::exists(KV_GWYDDION_THUMBNAILER)) {
      GTEST_SKIP() << "gwyddion-thumbnailer is not installed: Gwyddion's loader is not checked";
    }
  }
  kvtest::TempFolder folder;
};

TEST_F(GwyddionTest, LoadsTheExportedProfile) {
  kv::FileSystem files(kv::DriveMap(folder.path()));
  ASSERT_TRUE(kv::ExportX3p(files, Profile(), folder.path() / "profile.x3p").ok());
  const std::string answer = Thumbnail(folder.path() / "profile.x3p", folder.path() / "out.png");
  EXPECT_NE(answer.find(kLoadedProfile), std::string::npos) << answer;
}

// The check tells a loaded file from a refused one.
TEST_F(GwyddionTest, RefusesPointDataThatDoesNotMatchTheHeader) {
  auto bytes = kv::X3pBytes(Profile());
  ASSERT_TRUE(bytes.ok());
  kvtest::WriteBytes(folder.path() / "broken.x3p", WithShortPointData(bytes.value()));
  const std::string answer = Thumbnail(folder.path() / "broken.x3p", folder.path() / "out.png");
  EXPECT_EQ(answer.find(kLoadedProfile), std::string::npos) << answer;
  EXPECT_NE(answer.find("Expected data size calculated from file headers is 32008 bytes, but "
                        "the real size is 32000 bytes."),
            std::string::npos)
      << answer;
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "out.png"));
}

}  // namespace
