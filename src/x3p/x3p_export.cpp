// SPDX-License-Identifier: GPL-3.0-or-later
#include "x3p/x3p_export.h"

#include <QByteArrayView>
#include <QCryptographicHash>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

#include "x3p/x3p_main_xml.h"
#include "x3p/zip_archive.h"

namespace kv {
namespace {

std::string Md5Hex(std::string_view bytes) {
  return QCryptographicHash::hash(
             QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
             QCryptographicHash::Md5)
      .toHex()
      .toStdString();
}

// Little-endian whatever the host's byte order is.
std::string PointData(const std::vector<double>& heights) {
  std::string bytes(heights.size() * sizeof(double), '\0');
  char* out = bytes.data();
  for (double height : heights) {
    auto bits = std::bit_cast<std::uint64_t>(height);
    for (std::size_t i = 0; i < sizeof(double); ++i, bits >>= 8) {
      *out++ = static_cast<char>(bits & 0xFF);
    }
  }
  return bytes;
}

Status CheckProfile(const ProfileData& profile) {
  if (profile.heights.empty()) {
    return Status::Error(StatusCode::kBadFile, "The profile has no points to export.");
  }
  if (!std::isfinite(profile.pitch) || profile.pitch <= 0) {
    return Status::Error(StatusCode::kBadFile, "The profile's sampling pitch is unknown.");
  }
  if (!std::all_of(profile.heights.begin(), profile.heights.end(),
                   [](double height) { return std::isfinite(height); })) {
    return Status::Error(StatusCode::kBadFile, "The profile holds a height that is not a number.");
  }
  return Status::Ok();
}

}  // namespace

Result<std::string> X3pBytes(const ProfileData& profile) {
  if (Status checked = CheckProfile(profile); !checked.ok()) return checked;
  const std::string data = PointData(profile.heights);
  const std::string mainXml = X3pMainXml(profile, Md5Hex(data));
  const std::string checksum = Md5Hex(mainXml) + " *main.xml\n";
  return ZipArchive({{"main.xml", mainXml}, {kX3pDataPath, data}, {"md5checksum.hex", checksum}});
}

Status ExportX3p(FileSystem& files, const ProfileData& profile,
                 const std::filesystem::path& hostPath) {
  auto bytes = X3pBytes(profile);
  std::error_code ignored;  // without a current folder the path stays relative and fails below
  const std::filesystem::path absolute = std::filesystem::absolute(hostPath, ignored);
  Status written = bytes.ok()
                       ? files.WriteBytes(files.drives().WindowsPath(absolute), bytes.value())
                       : bytes.status();
  if (written.ok()) return written;
  return Status::Error(written.code(), "The X3P file \"" + hostPath.string() +
                                           "\" was not written: " + written.description());
}

}  // namespace kv
