// SPDX-License-Identifier: GPL-3.0-or-later
#include "certificate/certificate_data.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

#include "platform/code_page.h"
#include "results/condition_lines.h"
#include "results/number_text.h"

namespace kv {
namespace {

constexpr std::size_t kCommentLines = 8;
constexpr std::size_t kCommentLineBytes = 256;
constexpr std::size_t kCommentFileBytes = std::size_t{64} * 1024;
constexpr std::size_t kGraphLayoutLine = 3;  // entry 3, the fourth line
constexpr std::size_t kConditionLines = 9;
constexpr std::size_t kPitchLine = 6;
constexpr std::size_t kUnitLine = 7;

using Lines = std::vector<std::string>;

// The working folder the files are read from.
struct Folder {
  const FileSystem& files;
  std::string_view path;  // Windows path text ending in a separator
};

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

Status FileError(std::string_view file, std::size_t line, std::string_view what) {
  return Status::Error(StatusCode::kBadFile,
                       Quoted(file) + " in the working folder is damaged: line " +
                           std::to_string(line + 1) + " " + std::string(what) + ".");
}

// Names match without regard to case, as "AutoPrint.INI" must find "Autoprint.INI".
Result<Lines> ReadFile(const Folder& folder, std::string_view name) {
  std::string path = std::string(folder.path) + std::string(name);
  if (!folder.files.FileExists(path)) {
    return Status::Error(
        StatusCode::kFileError,
        Quoted(name) + " is missing from the working folder " + Quoted(folder.path) + ".");
  }
  auto lines = folder.files.ReadLines(path, kResultFileBytes);
  if (!lines.ok()) return Status::Error(lines.status().code(), lines.status().description());
  return lines;
}

std::string Trimmed(std::string_view text) {
  std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

bool IsUtf8(std::string_view bytes) {
  std::size_t follow = 0;
  for (unsigned char byte : bytes) {
    if (follow > 0) {
      if ((byte & 0xC0) != 0x80) return false;
      --follow;
    } else if (byte >= 0xF0 && byte <= 0xF4) {
      follow = 3;
    } else if (byte >= 0xE0) {
      if (byte > 0xF4) return false;
      follow = 2;
    } else if (byte >= 0xC2) {
      follow = 1;
    } else if (byte >= 0x80) {
      return false;
    }
  }
  return follow == 0;
}

// Result-file text as UTF-8: text that is already UTF-8 (ASCII included)
// stays, anything else is taken as the Japanese ANSI code page (CP932).
std::string FileTextToUtf8(const std::string& bytes) {
  return IsUtf8(bytes) ? bytes : CodePageToUtf8(bytes, "CP932");
}

Result<std::vector<double>> ReadValues(const Folder& folder, std::string_view name) {
  auto lines = ReadFile(folder, name);
  if (!lines.ok()) return lines.status();
  if (lines.value().empty()) {
    return Status::Error(StatusCode::kBadFile,
                         Quoted(name) + " in the working folder holds no values.");
  }
  std::vector<double> values;
  values.reserve(lines.value().size());
  for (std::size_t i = 0; i < lines.value().size(); ++i) {
    auto value = WholeNumber(lines.value()[i]);
    if (!value) return FileError(name, i, "is not a number: " + Quoted(lines.value()[i]));
    values.push_back(*value);
  }
  return values;
}

Status ReadParameters(const Folder& folder, CertificateData& data) {
  auto lines = ReadFile(folder, "Parameter.csv");
  if (!lines.ok()) return lines.status();
  for (std::size_t i = 0; i < lines.value().size(); ++i) {
    std::string line = FileTextToUtf8(lines.value()[i]);
    // The writer ends the file at its first empty line, so one inside is damage.
    if (Trimmed(line).empty()) return FileError("Parameter.csv", i, "is empty");
    std::size_t space = line.find(' ');
    std::string value = space == std::string::npos ? "" : Trimmed(line.substr(space));
    data.parameters.push_back({line.substr(0, space), value});
  }
  return Status::Ok();
}

// Line 0 is the cut-off, the sampling length or the motif limits by its
// prefix; a W profile without cut-off holds its lambda-f suffix alone.
Condition CutOffCondition(const std::string& line) {
  struct Prefix {
    std::string_view text;
    const char* label;
  };
  static constexpr Prefix kPrefixes[] = {{"CUT ", "CutOff"},
                                         {"L   ", "SamplingLength"},
                                         {"AB  ", "MotifLimitsAB"},
                                         {"A   ", "MotifLimitA"}};
  for (const Prefix& prefix : kPrefixes) {
    if (line.starts_with(prefix.text))
      return {prefix.label, Trimmed(line.substr(prefix.text.size()))};
  }
  return {"CutOff", Trimmed(line)};
}

// The text after `key` and a space, trimmed; none when the line has another key.
std::optional<std::string> Field(const std::string& line, std::string_view key) {
  if (!line.starts_with(key) || line.size() <= key.size() || line[key.size()] != ' ') {
    return std::nullopt;
  }
  return Trimmed(line.substr(key.size()));
}

// The lines come in a fixed order: 0 cut-off, 1 count or length, 2 profile,
// 3 filter, 4 standard, 5 lambda-s, 6 pitch, 7 unit, 8 language.
Status ReadConditions(const Folder& folder, CertificateData& data) {
  static constexpr const char* kFile = "Condition.csv";
  auto read = ReadFile(folder, kFile);
  if (!read.ok()) return read.status();
  const Lines& lines = read.value();
  if (lines.size() > kConditionLines) return FileError(kFile, kConditionLines, "is one too many");
  // Without the unit line the numbers of the profile have no unit to show.
  if (lines.size() <= kUnitLine) {
    return Status::Error(StatusCode::kBadFile,
                         Quoted(kFile) +
                             " in the working folder ends before its unit line (\"UNT 1\" or "
                             "\"UNT 2\"): the unit of the measurement is unknown.");
  }
  data.conditions.push_back(CutOffCondition(lines[0]));
  if (auto count = Field(lines[1], "N")) {
    data.conditions.push_back({"SamplingLengths", *count});
  } else if (auto length = Field(lines[1], "L")) {
    data.conditions.push_back({"EvaluationLength", *length});
  } else {
    return FileError(kFile, 1, "does not start with \"N\" or \"L\"");
  }
  struct Shown {
    std::string_view key;
    const char* label;
  };
  static constexpr Shown kShown[] = {
      {"CUV", "Profile"}, {"FIL", "Filter"}, {"STD", "Standard"}, {"LS", "LambdaS"}};
  std::size_t line = 2;
  for (const Shown& shown : kShown) {
    auto value = Field(lines[line], shown.key);
    if (!value) return FileError(kFile, line, "does not start with " + Quoted(shown.key));
    data.conditions.push_back({shown.label, *value});
    ++line;
  }
  auto pitch = Field(lines[kPitchLine], "STP");
  if (!pitch) return FileError(kFile, kPitchLine, "does not start with \"STP\"");
  auto unit = Field(lines[kUnitLine], "UNT");
  if (unit != "1" && unit != "2") {
    return FileError(kFile, kUnitLine,
                     "is not \"UNT 1\" or \"UNT 2\": " + Quoted(lines[kUnitLine]));
  }
  data.unit = unit == "1" ? Unit::Metric : Unit::Inch;
  data.pitchText = *pitch;
  if (auto number = WholeNumber(*pitch); number && *number > 0) {
    // In inch, the exact conversion of the metric pitch the rounded text names.
    const bool inch = data.unit == Unit::Inch;
    data.pitch = PitchMicrometres(*number, inch) / (inch ? 0.0254 : 1);
  }
  return Status::Ok();
}

bool IsCp932Lead(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// A comment line as UTF-8, cut to kCommentLineBytes between two characters,
// whether the file is in UTF-8 or in the Japanese code page.
std::string CommentText(std::string_view line) {
  if (line.size() <= kCommentLineBytes) return FileTextToUtf8(std::string(line));
  auto byte = [line](std::size_t i) { return static_cast<unsigned char>(line[i]); };
  // In UTF-8 a character starts at a byte other than 10xxxxxx, and the bytes
  // 10xxxxxx follow only a character's first byte (11xxxxxx).
  std::size_t end = kCommentLineBytes;
  while (end > 0 && (byte(end) & 0xC0) == 0x80) --end;
  if ((end == kCommentLineBytes || byte(end) >= 0xC0) && IsUtf8(line.substr(0, end))) {
    return std::string(line.substr(0, end));
  }
  std::size_t next = 0;  // a CP932 lead byte takes the byte after it along
  while (next < kCommentLineBytes) next += IsCp932Lead(byte(next)) ? 2 : 1;
  end = next > kCommentLineBytes ? kCommentLineBytes - 1 : kCommentLineBytes;
  return CodePageToUtf8(line.substr(0, end), "CP932");
}

// Comment.INI is free text that any editor may have written: the
// certificate reads at most its first 64 KB, takes at most its first 8 lines
// and at most 256 bytes of each, so a huge or broken file can neither
// exhaust memory nor overwhelm the text layout; fewer lines leave the rest
// empty.
Status ReadComments(const Folder& folder, CertificateData& data) {
  const std::string path = std::string(folder.path) + "Comment.INI";
  if (!folder.files.FileExists(path)) {
    return Status::Error(
        StatusCode::kFileError,
        "\"Comment.INI\" is missing from the working folder " + Quoted(folder.path) + ".");
  }
  auto read = folder.files.ReadHead(path, kCommentFileBytes);
  if (!read.ok()) return read.status();
  std::string_view bytes = read.value();
  for (std::size_t i = 0; i < kCommentLines && !bytes.empty(); ++i) {
    const std::size_t end = std::min(bytes.find_first_of("\r\n"), bytes.size());
    data.comments[i] = CommentText(bytes.substr(0, end));
    bytes.remove_prefix(end);
    if (bytes.starts_with("\r\n")) {
      bytes.remove_prefix(2);
    } else if (!bytes.empty()) {
      bytes.remove_prefix(1);
    }
  }
  return Status::Ok();
}

// Fewer than six lines read as all "0", as the settings reader takes them.
Status ReadGraphLayout(const Folder& folder, CertificateData& data) {
  auto lines = ReadFile(folder, "AutoPrint.INI");
  if (!lines.ok()) return lines.status();
  const Lines& entries = lines.value();
  std::string entry = entries.size() >= 6 ? Trimmed(entries[kGraphLayoutLine]) : "0";
  data.layout = entry == "1"   ? GraphLayout::BacAdc
                : entry == "2" ? GraphLayout::Enlarged
                               : GraphLayout::Normal;
  return Status::Ok();
}

}  // namespace

Result<CertificateData> ReadCertificateData(const FileSystem& files, std::string_view workFolder) {
  const Folder folder{files, workFolder};
  CertificateData data;
  for (auto read : {ReadParameters, ReadConditions, ReadComments, ReadGraphLayout}) {
    if (Status status = read(folder, data); !status.ok()) return status;
  }
  struct Values {
    const char* file;
    std::vector<double>* values;
  } const valueFiles[] = {{"Evaluation.csv", &data.evaluation},
                          {"Graph_BAC.Csv", &data.bac},
                          {"Graph_ADC.Csv", &data.adc}};
  for (const Values& file : valueFiles) {
    auto values = ReadValues(folder, file.file);
    if (!values.ok()) return values.status();
    *file.values = std::move(values.value());
  }
  return data;
}

}  // namespace kv
