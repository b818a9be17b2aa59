// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "datafile/conversion_context.h"
#include "link/link.h"
#include "platform/file_system.h"

namespace kv {

// The language texts that report a refused stored measurement, besides the
// converters' 23 to 25 (DataFileMessage).
enum StoredFileMessage : int {
  kNotADataFile = 20,
  kFileNotFetched = 22,
  kNoFileName = 27,
};

// How one import ended. `message` is 0 or the language text the caller
// shows; with 0, a `status` that is not ok tells why the result files could
// not be written (all of them are then as they were). With kNotADataFile it
// may tell why the file could not be read.
struct ImportOutcome {
  int message = 0;
  Status status = Status::Ok();

  bool ok() const { return message == 0 && status.ok(); }
};

// Imports a data file from the controller's CF card: the file named in a
// list entry of ListControllerFiles is fetched and converted, and the result
// files with the zero graph files ("Graph_BAC.Csv", "Graph_ADC.Csv", 100
// lines "0" each) are written into `workFolder` all or none. Messages:
// kNoFileName, kFileNotFetched, or the converter's. After any failure every
// result file is as it was. Empties the context's stage first.
ImportOutcome ImportControllerFile(Link& link, ConversionContext& context, FileSystem& files,
                                   const std::string& workFolder, std::string_view entry);

// The same for a data file on the PC (Windows path text), as the PC file
// picker's Listslect and the command line run it: kNotADataFile when its
// first line begins with neither "// Ver." nor "// Header" or it cannot be
// read, or the converter's message.
ImportOutcome ImportPcFile(FileSystem& files, ConversionContext& context,
                           const std::string& workFolder, std::string_view windowsPath);

}  // namespace kv
