// SPDX-License-Identifier: GPL-3.0-or-later
#include "x3p/zip_archive.h"

#include <zip.h>

#include <memory>

namespace kv {
namespace {

struct SourceFree {
  void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using Source = std::unique_ptr<zip_source_t, SourceFree>;

Status ZipError(zip_error_t* error) {
  return Status::Error(StatusCode::kFailed, std::string("The zip archive could not be built: ") +
                                                zip_error_strerror(error) + ".");
}

Status AddEntries(zip_t* archive, const std::vector<ArchiveEntry>& entries) {
  for (const ArchiveEntry& entry : entries) {
    zip_source_t* source = zip_source_buffer(archive, entry.bytes.data(), entry.bytes.size(), 0);
    if (source == nullptr) return ZipError(zip_get_error(archive));
    const zip_int64_t index = zip_file_add(archive, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
      zip_source_free(source);
      return ZipError(zip_get_error(archive));
    }
    // Measured heights are doubles whose low bits are noise: deflating them
    // saves little and costs most of an export's time, so entries are stored.
    if (zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0) < 0) {
      return ZipError(zip_get_error(archive));
    }
  }
  return Status::Ok();
}

// The bytes a closed archive left in its buffer source.
Result<std::string> BufferBytes(zip_source_t* buffer) {
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_source_open(buffer) < 0) return ZipError(zip_source_error(buffer));
  std::string bytes;
  if (zip_source_stat(buffer, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) != 0) {
    bytes.resize(stat.size);
    if (zip_source_read(buffer, bytes.data(), stat.size) != static_cast<zip_int64_t>(stat.size)) {
      bytes.clear();
    }
  }
  zip_source_close(buffer);
  if (bytes.empty()) return ZipError(zip_source_error(buffer));
  return bytes;
}

}  // namespace

Result<std::string> ZipArchive(const std::vector<ArchiveEntry>& entries) {
  zip_error_t error;
  zip_error_init(&error);
  Source buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
  if (!buffer) return ZipError(&error);
  zip_source_keep(buffer.get());  // the archive frees its source; the bytes are read after
  zip_t* archive = zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error);
  if (archive == nullptr) {
    zip_source_free(buffer.get());  // the keep above
    return ZipError(&error);
  }
  if (Status added = AddEntries(archive, entries); !added.ok()) {
    zip_discard(archive);
    return added;
  }
  if (zip_close(archive) < 0) {
    Status failed = ZipError(zip_get_error(archive));
    zip_discard(archive);
    return failed;
  }
  return BufferBytes(buffer.get());
}

}  // namespace kv
