// SPDX-License-Identifier: GPL-3.0-or-later
#include "certificate/certificate_wording.h"

#include <utility>

namespace kv {
namespace {

constexpr int kKeyColumn = 1;
constexpr int kFirstRow = 2;

// Every key the drawing asks for; a template without one of them is refused
// before anything is drawn.
constexpr std::string_view kRequiredKeys[] = {"Title",
                                              "Font",
                                              "DateFormat",
                                              "IssueDate",
                                              "Comments",
                                              "Conditions",
                                              "Standard",
                                              "Profile",
                                              "Filter",
                                              "CutOff",
                                              "SamplingLength",
                                              "MotifLimitA",
                                              "MotifLimitsAB",
                                              "SamplingLengths",
                                              "EvaluationLength",
                                              "LambdaS",
                                              "Pitch",
                                              "Unit",
                                              "UnitMetric",
                                              "UnitInch",
                                              "Micrometre",
                                              "Microinch",
                                              "Parameters",
                                              "ParameterName",
                                              "ParameterValue",
                                              "EvaluationProfile",
                                              "GraphBAC",
                                              "GraphADC",
                                              "AxisPositionMetric",
                                              "AxisPositionInch",
                                              "AxisPoint",
                                              "AxisHeightMetric",
                                              "AxisHeightInch",
                                              "AxisBearingRatio",
                                              "AxisDensity",
                                              "InspectedBy",
                                              "ApprovedBy",
                                              "Footer"};

Status Refused(std::string text) {
  return Status::Error(StatusCode::kBadFile, std::move(text));
}

Result<Paper> PaperOf(const std::string& text, std::string_view name) {
  if (text == "A4") return Paper::kA4;
  if (text == "Letter") return Paper::kLetter;
  return Refused("The certificate template \"" + std::string(name) + "\" names the paper \"" +
                 text + "\"; it must be \"A4\" or \"Letter\".");
}

}  // namespace

const std::string& CertificateWording::Text(std::string_view key, Language language) const {
  static const std::string kNone;
  auto found = texts_.find(key);
  if (found == texts_.end()) return kNone;
  return found->second[language == Language::Japanese ? 0 : 1];
}

Result<CertificateWording> ReadCertificateWording(Workbook& workbook, std::string_view name) {
  auto sheet = workbook.Sheet("Certificate");
  if (!sheet.ok()) return sheet.status();
  std::map<std::string, std::array<std::string, 2>, std::less<>> texts;
  for (int row = kFirstRow;; ++row) {
    auto key = sheet.value()->CellValue(row, kKeyColumn);
    if (!key.ok()) return key.status();
    if (key.value().empty()) break;
    auto japanese = sheet.value()->CellValue(row, kKeyColumn + 1);
    auto english = sheet.value()->CellValue(row, kKeyColumn + 2);
    if (!japanese.ok()) return japanese.status();
    if (!english.ok()) return english.status();
    texts[key.value()] = {japanese.value(), english.value()};
  }
  auto paper = texts.find("Paper");
  if (paper == texts.end()) {
    return Refused("The certificate template \"" + std::string(name) +
                   "\" does not name its paper (key \"Paper\").");
  }
  auto size = PaperOf(paper->second[1], name);
  if (!size.ok()) return size.status();
  for (std::string_view key : kRequiredKeys) {
    if (!texts.contains(key)) {
      return Refused("The certificate template \"" + std::string(name) +
                     "\" has no wording for \"" + std::string(key) + "\".");
    }
  }
  return CertificateWording(size.value(), std::move(texts));
}

}  // namespace kv
