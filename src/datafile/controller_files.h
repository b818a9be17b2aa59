// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "datafile/data_lines.h"
#include "link/link.h"
#include "results/results_view.h"

namespace kv {

// The entries the controller picker's list holds.
inline constexpr std::size_t kFileEntries = 5001;

// A file name as the file requests carry it: at most eight bytes.
inline constexpr std::size_t kControllerNameBytes = 8;

// The largest file the fetch takes: the 76,001 lines a fetched file may have,
// at 256 bytes each. The longest line of a data file (a parameter line) is
// well under 100 bytes, so a larger size can only be wrong, and fetching it
// would cost up to millions of requests for nothing.
inline constexpr std::int32_t kMaxControllerFileBytes =
    static_cast<std::int32_t>(kControllerFileLines) * 256;

struct ControllerFileList {
  std::int32_t count = 0;            // the files the controller reports
  std::vector<std::string> entries;  // the controller picker's list
};

// Lists the data files on the controller's CF card (0x7006, 0x7007): the
// count, then for each file its entry text (the name, two spaces, the rest)
// and its size. Files of size 0 and names too long to be asked for are left
// out; the listing ends at an entry without a file name, or once the list
// holds kFileEntries. Blocks for two transactions a file. An error, with the
// link's code, when a transaction fails or its reply is missing or short.
Result<ControllerFileList> ListControllerFiles(Link& link);

// The file name in a list entry: the text up to its first space less the
// four characters before it (".TXT"). Empty when the entry has no space or
// nothing before the extension.
std::string ControllerFileName(std::string_view entry);

// Fetches a data file from the CF card in 400-byte blocks, moving the
// progress bar, and splits it into lines. All bytes but the file's last are
// kept: the controller may end its files with a terminator byte. A
// kFileNotFetched error, its text naming the cause, when the name is empty or
// too long, a transaction fails, a reply is missing or ends before the bytes
// it must hold, the size is 0 or above kMaxControllerFileBytes, the content
// holds a NUL byte (the controller stopped sending), or the file has more
// than kControllerFileLines lines. Only the block request that the rounding
// adds past the file's end may go unanswered.
Result<DataLineList> FetchControllerFile(Link& link, ResultsView& progress, std::string_view name);

}  // namespace kv
