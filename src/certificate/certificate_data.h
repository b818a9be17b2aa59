// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/status.h"

namespace kv {

// The largest result file: 76,001 values of at most 24 bytes with their line
// ends, with room to spare; a larger file is not one of ours.
inline constexpr std::size_t kResultFileBytes = std::size_t{4} * 1024 * 1024;

enum class Unit { Metric, Inch };  // "UNT 1": mm and µm; "UNT 2": in and µin

// Entry 3 of "AutoPrint.INI": "1" puts the BAC and ADC curves beside the
// evaluation profile, "2" enlarges the profile over the full width, anything
// else shows the profile alone at its normal size.
enum class GraphLayout { Normal, BacAdc, Enlarged };

// One measuring condition: the wording key of its label and its text as the
// result file holds it.
struct Condition {
  std::string label;
  std::string value;
  bool operator==(const Condition&) const = default;
};

// One line of "Parameter.csv": the name and what followed it.
struct Parameter {
  std::string name;
  std::string value;
  bool operator==(const Parameter&) const = default;
};

// Everything a certificate shows, read from the working folder in one go.
// Texts are UTF-8.
struct CertificateData {
  std::vector<Parameter> parameters;
  std::vector<Condition> conditions;  // cut-off to lambda-s
  Unit unit = Unit::Metric;
  std::string pitchText;  // the "STP" number, in µm or µin, as shown
  // The spacing of the evaluation values in µm or µin: in inch, the exact
  // conversion of the metric pitch that the rounded "STP" text names. Without
  // it the profile is plotted by point.
  std::optional<double> pitch;
  std::vector<double> evaluation;       // µm or µin
  std::vector<double> bac;              // heights at even steps of the bearing ratio
  std::vector<double> adc;              // densities in %, at even height steps from the top
  std::array<std::string, 8> comments;  // "Comment.INI": lines 1-4 headings, 5-8 their values
  GraphLayout layout = GraphLayout::Normal;
  std::int64_t issued = 0;  // seconds since the epoch; set when the certificate is made
};

// Reads "Parameter.csv", "Condition.csv", "Evaluation.csv", "Graph_BAC.Csv",
// "Graph_ADC.Csv", "Comment.INI" and "AutoPrint.INI" from `workFolder`
// (Windows path text ending in a separator). A missing, unreadable or damaged
// file gives an error naming the file and what is wrong; nothing is returned
// then.
Result<CertificateData> ReadCertificateData(const FileSystem& files, std::string_view workFolder);

}  // namespace kv
