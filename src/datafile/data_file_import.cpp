// SPDX-License-Identifier: GPL-3.0-or-later
#include "datafile/data_file_import.h"

#include "datafile/controller_files.h"
#include "datafile/data_file_conversion.h"
#include "datafile/data_sections.h"

namespace kv {
namespace {

constexpr std::size_t kZeroGraphLines = 100;

// A data file holds no graphs: its import writes both graph files with
// zeros, together with the converted files, so a refused file changes none.
ImportOutcome ConvertAndWrite(const DataLineList& lines, ConversionContext& context,
                              FileSystem& files, const std::string& workFolder) {
  if (const DataFileMessage message = ConvertDataFile(lines, context);
      message != kDataFileConverted) {
    return {message};
  }
  for (const char* name : {"Graph_BAC.Csv", "Graph_ADC.Csv"}) {
    LineList zeros(kZeroGraphLines, "0");
    context.stage.AddCsv(name, zeros);
  }
  return {0, context.stage.Commit(files, workFolder)};
}

}  // namespace

ImportOutcome ImportControllerFile(Link& link, ConversionContext& context, FileSystem& files,
                                   const std::string& workFolder, std::string_view entry) {
  context.stage.Clear();
  const std::string name = ControllerFileName(entry);
  if (name.empty()) return {kNoFileName};
  DataLineList lines;
  if (FetchControllerFile(link, context.view, name, lines) == 0) return {kFileNotFetched};
  return ConvertAndWrite(lines, context, files, workFolder);
}

ImportOutcome ImportPcFile(FileSystem& files, ConversionContext& context,
                           const std::string& workFolder, std::string_view windowsPath) {
  context.stage.Clear();
  Result<DataLineList> lines = ReadDataFile(files, windowsPath);
  if (!lines.ok()) return {kNotADataFile, lines.status()};
  if (!IsDataFileFirstLine(lines.value().DataLines.front())) return {kNotADataFile};
  return ConvertAndWrite(lines.value(), context, files, workFolder);
}

}  // namespace kv
