// SPDX-License-Identifier: GPL-3.0-or-later
#include "x3p/x3p_main_xml.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QXmlStreamWriter>
#include <array>
#include <charconv>

namespace kv {
namespace {

constexpr const char* kNamespace = "http://www.opengps.eu/2008/ISO5436_2";
// The controller reports neither its serial number nor a calibration; the
// schema asks for both, so they are written as plainly unknown.
constexpr const char* kUnknownSerial = "unknown";
constexpr const char* kUnknownCalibration = "1970-01-01T00:00:00+00:00";

// The shortest text that reads back as the same double.
QString NumberText(double value) {
  std::array<char, 32> text{};
  auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value);
  (void)error;  // 32 characters hold any double
  return QString::fromLatin1(text.data(), end - text.data());
}

// ISO 8601 in local time with its offset from UTC, "2026-12-07T18:45:00+01:00".
QString DateText(std::chrono::system_clock::time_point time) {
  const auto seconds =
      std::chrono::duration_cast<std::chrono::seconds>(time.time_since_epoch()).count();
  const QDateTime local = QDateTime::fromSecsSinceEpoch(seconds);
  const int offset = local.offsetFromUtc();
  const int minutes = (offset < 0 ? -offset : offset) / 60;
  return local.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")) + (offset < 0 ? '-' : '+') +
         QStringLiteral("%1:%2")
             .arg(minutes / 60, 2, 10, QLatin1Char('0'))
             .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// The version text without the padding the controller sends after it, and
// without control characters, which XML cannot hold.
QString VersionText(std::string_view version) {
  version = version.substr(0, version.find('\0'));
  std::string printable;
  for (char c : version) {
    if (static_cast<unsigned char>(c) >= 0x20) printable += c;
  }
  const QString text =
      QString::fromLatin1(printable.data(), static_cast<qsizetype>(printable.size())).trimmed();
  return text.isEmpty() ? QString::fromLatin1(kUnknownSerial) : text;
}

void WriteAxis(QXmlStreamWriter& xml, const char* name, const char* type, double increment,
               bool withDataType) {
  xml.writeStartElement(QString::fromLatin1(name));
  xml.writeTextElement(QStringLiteral("AxisType"), QString::fromLatin1(type));
  if (withDataType) xml.writeTextElement(QStringLiteral("DataType"), QStringLiteral("D"));
  xml.writeTextElement(QStringLiteral("Increment"), NumberText(increment));
  xml.writeTextElement(QStringLiteral("Offset"), QStringLiteral("0"));
  xml.writeEndElement();
}

void WriteRecord1(QXmlStreamWriter& xml, const ProfileData& profile) {
  xml.writeStartElement(QStringLiteral("Record1"));
  xml.writeTextElement(QStringLiteral("Revision"), QStringLiteral("ISO5436 - 2000"));
  xml.writeTextElement(QStringLiteral("FeatureType"), QStringLiteral("PRF"));
  xml.writeStartElement(QStringLiteral("Axes"));
  WriteAxis(xml, "CX", "I", profile.pitch, false);
  WriteAxis(xml, "CY", "I", profile.pitch, false);  // one row: its spacing is never used
  WriteAxis(xml, "CZ", "A", 1, true);
  xml.writeEndElement();
  xml.writeEndElement();
}

void WriteRecord2(QXmlStreamWriter& xml, const ProfileData& profile) {
  xml.writeStartElement(QStringLiteral("Record2"));
  xml.writeTextElement(QStringLiteral("Date"), DateText(profile.taken));
  xml.writeStartElement(QStringLiteral("Instrument"));
  xml.writeTextElement(QStringLiteral("Manufacturer"), QStringLiteral("Tarnwick Corvanet"));
  xml.writeTextElement(QStringLiteral("Model"), QStringLiteral("KV-730"));
  xml.writeTextElement(QStringLiteral("Serial"), QString::fromLatin1(kUnknownSerial));
  xml.writeTextElement(QStringLiteral("Version"), VersionText(profile.controllerVersion));
  xml.writeEndElement();
  xml.writeTextElement(QStringLiteral("CalibrationDate"), QString::fromLatin1(kUnknownCalibration));
  xml.writeStartElement(QStringLiteral("ProbingSystem"));
  xml.writeTextElement(QStringLiteral("Type"), QStringLiteral("Contacting"));
  xml.writeTextElement(QStringLiteral("Identification"), QStringLiteral("KV-730 stylus"));
  xml.writeEndElement();
  xml.writeTextElement(QStringLiteral("Comment"),
                       profile.kind == ProfileKind::kMeasured
                           ? QStringLiteral("Measured profile")
                           : QStringLiteral("Roughness (evaluation) profile"));
  xml.writeEndElement();
}

void WriteRecord3(QXmlStreamWriter& xml, const ProfileData& profile, std::string_view dataMd5) {
  xml.writeStartElement(QStringLiteral("Record3"));
  xml.writeStartElement(QStringLiteral("MatrixDimension"));
  xml.writeTextElement(QStringLiteral("SizeX"), QString::number(profile.heights.size()));
  xml.writeTextElement(QStringLiteral("SizeY"), QStringLiteral("1"));
  xml.writeTextElement(QStringLiteral("SizeZ"), QStringLiteral("1"));
  xml.writeEndElement();
  xml.writeStartElement(QStringLiteral("DataLink"));
  xml.writeTextElement(QStringLiteral("PointDataLink"), QString::fromLatin1(kX3pDataPath));
  xml.writeTextElement(QStringLiteral("MD5ChecksumPointData"),
                       QString::fromLatin1(dataMd5.data(), static_cast<qsizetype>(dataMd5.size())));
  xml.writeEndElement();
  xml.writeEndElement();
}

}  // namespace

std::string X3pMainXml(const ProfileData& profile, std::string_view dataMd5) {
  QByteArray bytes;
  QXmlStreamWriter xml(&bytes);
  xml.setAutoFormatting(true);
  xml.writeStartDocument();
  xml.writeNamespace(QString::fromLatin1(kNamespace), QStringLiteral("p"));
  xml.writeStartElement(QString::fromLatin1(kNamespace), QStringLiteral("ISO5436_2"));
  WriteRecord1(xml, profile);
  WriteRecord2(xml, profile);
  WriteRecord3(xml, profile, dataMd5);
  xml.writeStartElement(QStringLiteral("Record4"));
  xml.writeTextElement(QStringLiteral("ChecksumFile"), QStringLiteral("md5checksum.hex"));
  xml.writeEndElement();
  xml.writeEndElement();
  xml.writeEndDocument();
  return bytes.toStdString();
}

}  // namespace kv
