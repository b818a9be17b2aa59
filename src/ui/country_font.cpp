// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/country_font.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>
#include <array>

namespace kv {
namespace {

struct CountryRow {
  std::string_view country;
  CountryFont font;
  QFontDatabase::WritingSystem writingSystem;
};

const std::array<CountryRow, 5>& Rows() {
  static const std::array<CountryRow, 5> rows{{
      {"JAPAN", {128, QString::fromUtf8("ＭＳ Ｐゴシック"), 9}, QFontDatabase::Japanese},
      {"KOREA", {129, QString::fromUtf8("굴림"), 9}, QFontDatabase::Korean},
      {"PEOPLE'S REPUBLIC OF CHINA",
       {134, QString::fromUtf8("宋体"), 9},
       QFontDatabase::SimplifiedChinese},
      {"TAIWAN", {136, QString::fromUtf8("新細明體"), 9}, QFontDatabase::TraditionalChinese},
      {"", {1, QString(), 8}, QFontDatabase::Any},
  }};
  return rows;
}

const CountryRow& RowFor(std::string_view countryName) {
  for (const auto& row : Rows()) {
    if (row.country == countryName) return row;
  }
  return Rows().back();
}

// The face for a row: its own name when installed, else one that writes its script.
QString InstalledFace(const CountryRow& row) {
  if (row.font.Name.isEmpty()) return {};
  if (QFontDatabase::hasFamily(row.font.Name)) return row.font.Name;
  QStringList families = QFontDatabase::families(row.writingSystem);
  return families.isEmpty() ? QString() : families.front();
}

}  // namespace

CountryFont CountryFontFor(std::string_view countryName) {
  return RowFor(countryName).font;
}

void ApplyCountryFont(QFont& font, std::string_view countryName) {
  const CountryRow& row = RowFor(countryName);
  if (QString face = InstalledFace(row); !face.isEmpty()) font.setFamilies({face, font.family()});
  font.setPointSize(row.font.size);
}

}  // namespace kv
