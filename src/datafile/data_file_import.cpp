// SPDX-License-Identifier: GPL-3.0-or-later
#include "datafile/data_file_import.h"

#include <string>

#include "datafile/controller_files.h"
#include "datafile/data_file_conversion.h"
#include "datafile/data_sections.h"

namespace kv {
namespace {

constexpr std::size_t kZeroGraphLines = 100;

// A data file holds no graphs: its import stages both graph files with
// zeros, together with the converted files, so a refused file changes none.
Status ConvertWithZeroGraphs(const DataLineList& lines, ConversionContext& context) {
  if (Status status = ConvertDataFile(lines, context); !status.ok()) return status;
  for (const char* name : {"Graph_BAC.Csv", "Graph_ADC.Csv"}) {
    LineList zeros(kZeroGraphLines, "0");
    context.stage.AddCsv(name, zeros);
  }
  return Status::Ok();
}

}  // namespace

Status StageControllerFile(Link& link, ConversionContext& context, std::string_view entry) {
  context.stage.Clear();
  const std::string name = ControllerFileName(entry);
  if (name.empty()) {
    return Status::Error(StatusCode::kNoFileName,
                         "The entry \"" + std::string(entry) + "\" names no file.");
  }
  Result<DataLineList> lines = FetchControllerFile(link, context.view, name);
  if (!lines.ok()) return lines.status();
  return ConvertWithZeroGraphs(lines.value(), context);
}

Status StagePcFile(const FileSystem& files, ConversionContext& context,
                   std::string_view windowsPath) {
  context.stage.Clear();
  Result<DataLineList> lines = ReadDataFile(files, windowsPath);
  if (!lines.ok()) return Status::Error(StatusCode::kNotADataFile, lines.status().description());
  if (!IsDataFileFirstLine(lines.value().DataLines.front())) {
    return Status::Error(StatusCode::kNotADataFile,
                         "\"" + std::string(windowsPath) +
                             "\" is no data file: its first line begins with neither \"// Ver.\" "
                             "nor \"// Header\".");
  }
  return ConvertWithZeroGraphs(lines.value(), context);
}

}  // namespace kv
