// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer: any bytes as the controller's replies to the CF card listing and
// the fetch of a file from it.
#include "chunked_transport.h"
#include "datafile/controller_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  using kvfuzz::Expect;
  kvfuzz::ChunkedTransport transport({data + 1, size - 1});
  kv::Link link(transport);
  kvfuzz::NullView view;
  // The first byte picks whether the listing comes first and names the file.
  std::string name = "M1";
  if (data[0] & 1) {
    auto list = kv::ListControllerFiles(link);
    if (list.ok()) {
      Expect(list.value().entries.size() <= kv::kFileEntries);
      for (const std::string& entry : list.value().entries) {
        const std::string listed = kv::ControllerFileName(entry);
        Expect(!listed.empty() && listed.size() <= kv::kControllerNameBytes);
      }
      if (!list.value().entries.empty()) name = kv::ControllerFileName(list.value().entries[0]);
    }
  }
  auto lines = kv::FetchControllerFile(link, view, name);
  if (lines.ok()) {
    const kv::DataLineList& list = lines.value();
    Expect(list.DataLines.size() == static_cast<std::size_t>(list.LineCount) + 1 &&
           list.DataLines.size() <= kv::kControllerFileLines);
  }
  return 0;
}
