// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <zip.h>

#include <map>
#include <string>

namespace kvtest {

// The entries of a zip archive in memory, by name; none when it does not open.
inline std::map<std::string, std::string> ZipEntries(const std::string& archiveBytes) {
  std::map<std::string, std::string> entries;
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source =
      zip_source_buffer_create(archiveBytes.data(), archiveBytes.size(), 0, &error);
  zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
  if (archive == nullptr) {
    zip_source_free(source);
    return entries;
  }
  for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
    zip_stat_t stat;
    zip_stat_index(archive, i, 0, &stat);
    std::string bytes(stat.size, '\0');
    zip_file_t* file = zip_fopen_index(archive, i, 0);
    zip_fread(file, bytes.data(), stat.size);
    zip_fclose(file);
    entries[stat.name] = bytes;
  }
  zip_close(archive);
  return entries;
}

}  // namespace kvtest
