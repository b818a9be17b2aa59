// SPDX-License-Identifier: GPL-3.0-or-later
#include "x3p/x3p_export.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDateTime>
#include <cmath>

#include "temp_folder.h"
#include "zip_entries.h"

namespace {

using namespace std::chrono_literals;

// 2026-12-07 17:45:30 UTC.
constexpr std::chrono::sys_seconds kTaken{1796665530s};

kv::ProfileData ThreePoints() {
  kv::ProfileData profile;
  profile.heights = {1.0, -0.25, 0.0};
  profile.pitch = 0.5e-6;
  profile.taken = kTaken;
  profile.controllerVersion = std::string("Ver 1.103") + std::string(43, '\0');
  return profile;
}

std::map<std::string, std::string> Entries(const kv::ProfileData& profile) {
  auto bytes = kv::X3pBytes(profile);
  EXPECT_TRUE(bytes.ok()) << bytes.status().description();
  return bytes.ok() ? kvtest::ZipEntries(bytes.value()) : std::map<std::string, std::string>{};
}

// main.xml with the text of its Date element cut out (it is in local time).
std::string WithoutDate(std::string xml, std::string& date) {
  const std::size_t start = xml.find("<Date>");
  const std::size_t end = xml.find("</Date>");
  if (start == std::string::npos || end < start) return xml;
  date = xml.substr(start + 6, end - start - 6);
  return xml.replace(start, end + 7 - start, "<Date/>");
}

const char* const kMainXml = R"(<?xml version="1.0" encoding="UTF-8"?>
<p:ISO5436_2 xmlns:p="http://www.opengps.eu/2008/ISO5436_2">
    <Record1>
        <Revision>ISO5436 - 2000</Revision>
        <FeatureType>PRF</FeatureType>
        <Axes>
            <CX>
                <AxisType>I</AxisType>
                <Increment>5e-07</Increment>
                <Offset>0</Offset>
            </CX>
            <CY>
                <AxisType>I</AxisType>
                <Increment>5e-07</Increment>
                <Offset>0</Offset>
            </CY>
            <CZ>
                <AxisType>A</AxisType>
                <DataType>D</DataType>
                <Increment>1</Increment>
                <Offset>0</Offset>
            </CZ>
        </Axes>
    </Record1>
    <Record2>
        <Date/>
        <Instrument>
            <Manufacturer>Tarnwick Corvanet</Manufacturer>
            <Model>KV-730</Model>
            <Serial>unknown</Serial>
            <Version>Ver 1.103</Version>
        </Instrument>
        <CalibrationDate>1970-01-01T00:00:00+00:00</CalibrationDate>
        <ProbingSystem>
            <Type>Contacting</Type>
            <Identification>KV-730 stylus</Identification>
        </ProbingSystem>
        <Comment>Measured profile</Comment>
    </Record2>
    <Record3>
        <MatrixDimension>
            <SizeX>3</SizeX>
            <SizeY>1</SizeY>
            <SizeZ>1</SizeZ>
        </MatrixDimension>
        <DataLink>
            <PointDataLink>bindata/data.bin</PointDataLink>
            <MD5ChecksumPointData>ddc74369568496f82ca381e8cf5e2805</MD5ChecksumPointData>
        </DataLink>
    </Record3>
    <Record4>
        <ChecksumFile>md5checksum.hex</ChecksumFile>
    </Record4>
</p:ISO5436_2>
)";

TEST(X3pBytes, HoldsMainXmlPointDataAndChecksum) {
  auto entries = Entries(ThreePoints());
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries["bindata/data.bin"], std::string("\0\0\0\0\0\0\xF0\x3F"
                                                     "\0\0\0\0\0\0\xD0\xBF"
                                                     "\0\0\0\0\0\0\0\0",
                                                     24));
  std::string date;
  EXPECT_EQ(WithoutDate(entries["main.xml"], date), kMainXml);
  const QByteArray xml = QByteArray::fromStdString(entries["main.xml"]);
  EXPECT_EQ(entries["md5checksum.hex"],
            QCryptographicHash::hash(xml, QCryptographicHash::Md5).toHex().toStdString() +
                " *main.xml\n");
  // ISO 8601 with the offset from UTC, naming the time the profile was taken.
  EXPECT_EQ(QDateTime::fromString(QString::fromStdString(date), Qt::ISODate).toSecsSinceEpoch(),
            kTaken.time_since_epoch().count());
}

TEST(X3pBytes, RefusesAProfileThatCannotBeWritten) {
  kv::ProfileData empty = ThreePoints();
  empty.heights.clear();
  kv::ProfileData noPitch = ThreePoints();
  noPitch.pitch = 0;
  kv::ProfileData notANumber = ThreePoints();
  notANumber.heights[1] = std::nan("");
  EXPECT_EQ(kv::X3pBytes(empty).status().description(), "The profile has no points to export.");
  EXPECT_EQ(kv::X3pBytes(noPitch).status().description(),
            "The profile's sampling pitch is unknown.");
  EXPECT_EQ(kv::X3pBytes(notANumber).status().description(),
            "The profile holds a height that is not a number.");
}

TEST(ExportX3p, ReplacesAnOldFileWhole) {
  kvtest::TempFolder folder;
  kv::FileSystem files(kv::DriveMap(folder.path() / "drive_c"));
  const auto path = folder.path() / "profile.x3p";
  kvtest::WriteBytes(path, std::string(100000, 'x'));
  ASSERT_TRUE(kv::ExportX3p(files, ThreePoints(), path).ok());
  const auto entries = kvtest::ZipEntries(kvtest::ReadBytes(path));
  EXPECT_EQ(entries.size(), 3u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()),
            1);  // the file; no temporary beside it
}

TEST(ExportX3p, NamesTheFileItCannotWriteAndLeavesNothing) {
  kvtest::TempFolder folder;
  kv::FileSystem files(kv::DriveMap(folder.path()));
  const auto path = folder.path() / "missing" / "profile.x3p";
  kv::Status status = kv::ExportX3p(files, ThreePoints(), path);
  EXPECT_EQ(status.code(), kv::StatusCode::kFileError);
  EXPECT_TRUE(status.description().starts_with("The X3P file \"" + path.string() +
                                               "\" was not written: Cannot write"))
      << status.description();
  kv::ProfileData empty = ThreePoints();
  empty.heights.clear();
  status = kv::ExportX3p(files, empty, folder.path() / "profile.x3p");
  EXPECT_EQ(status.description(), "The X3P file \"" + (folder.path() / "profile.x3p").string() +
                                      "\" was not written: The profile has no points to export.");
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

}  // namespace
