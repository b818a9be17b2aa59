// SPDX-License-Identifier: GPL-3.0-or-later
#include "datafile/controller_files.h"

#include <algorithm>
#include <string>

#include "link/frame_builders.h"

namespace kv {
namespace {

constexpr std::uint16_t kListCommand = 0x7006;
constexpr std::uint16_t kFileCommand = 0x7007;
constexpr std::size_t kCountAt = 10;
constexpr std::size_t kEntryTextAt = 24;
constexpr std::size_t kSizeAt = 24;
constexpr std::size_t kContentAt = 28;
// Reply lengths that hold the fields read: the count word, the entry text's
// start (the text itself may be empty), the size.
constexpr std::int32_t kCountReplyBytes = kCountAt + 2;
constexpr std::int32_t kEntryReplyBytes = kEntryTextAt;
constexpr std::int32_t kSizeReplyBytes = kSizeAt + 4;
constexpr std::int32_t kBlockBytes = 400;
constexpr std::size_t kExtensionLength = 4;  // ".TXT"

void PutWord(Link& link, std::size_t at, std::uint16_t value) {
  link.SendBuffer[at] = static_cast<std::uint8_t>(value);
  link.SendBuffer[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

// 0x7006, body length 4 although 8-11 follow: 8 = 0; 9 = 0 count, 1 entry;
// 10-11 = entry index. 12-20 keep the name of the last size request.
void WriteListRequest(Link& link, bool entry, std::uint16_t index) {
  WriteCommandHeader(link, kListCommand, 4);
  link.SendBuffer[8] = 0;
  link.SendBuffer[9] = entry ? 1 : 0;
  PutWord(link, 10, index);
}

// 0x7007 size request, body length 20: 8 = 0; 9 = 0; 12-19 = the name,
// zero-padded; 20 = 0. 10-11 keep what the buffer holds: in the listing the
// index of the entry.
void WriteSizeRequest(Link& link, std::string_view name) {
  WriteCommandHeader(link, kFileCommand, 20);
  link.SendBuffer[8] = 0;
  link.SendBuffer[9] = 0;
  for (std::size_t i = 0; i < kControllerNameBytes; ++i) {
    link.SendBuffer[12 + i] = i < name.size() ? static_cast<std::uint8_t>(name[i]) : 0;
  }
  link.SendBuffer[20] = 0;
}

// 0x7007 content request, body length 32: the size request with 9 = 1 and
// 10-11 = 400. Each asks for the next 400 bytes of the named file.
void WriteBlockRequest(Link& link) {
  WriteCommandHeader(link, kFileCommand, 32);
  link.SendBuffer[9] = 1;
  PutWord(link, 10, kBlockBytes);
}

// The entry text from reply byte 24 on: NUL bytes are left out, and after
// every second "T" come two spaces, so "NAME.TXT" is followed by them.
std::string EntryText(const Link& link) {
  std::string text;
  int letters = 0;
  for (std::size_t i = kEntryTextAt; i < static_cast<std::size_t>(link.ReceivedCount); ++i) {
    const auto c = static_cast<char>(link.ReceiveBuffer[i]);
    if (c == '\0') continue;
    text += c;
    if (c == 'T' && ++letters == 2) {
      text += "  ";
      letters = 0;
    }
  }
  return text;
}

// Block requests after the first: the size in 400-byte blocks, rounded to
// the nearest whole number, halves to the even one.
std::int32_t BlocksAfterFirst(std::int32_t size) {
  const std::int32_t whole = size / kBlockBytes;
  const std::int32_t twiceRest = size % kBlockBytes * 2;
  return twiceRest > kBlockBytes || (twiceRest == kBlockBytes && whole % 2 == 1) ? whole + 1
                                                                                 : whole;
}

Status NotFetched(std::string_view name, const std::string& cause) {
  return Status::Error(StatusCode::kFileNotFetched, "The CF card file \"" + std::string(name) +
                                                        "\" could not be fetched: " + cause);
}

// A block past the end of the file (the rounding asks for one) holds nothing
// the fetch takes, so the controller may leave it unanswered.
Status ExchangeBlock(Link& link, std::int32_t expected) {
  if (expected > 0) return link.Exchange(static_cast<std::int32_t>(kContentAt) + expected);
  Status status = link.Exchange(0);
  return status.code() == StatusCode::kNoReply ? Status::Ok() : status;
}

// The content blocks of a file of `size` bytes: bytes 1 to size - 1; the
// controller may end its files with a terminator byte. A NUL byte among them
// means the controller stopped sending.
Result<std::string> ReceiveBlocks(Link& link, ResultsView& progress, std::string_view name,
                                  std::int32_t size, std::int32_t blocks) {
  WriteBlockRequest(link);
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(size - 1));
  std::int32_t taken = 0;
  for (std::int32_t block = 0; block <= blocks; ++block) {
    const std::int32_t expected = std::min(kBlockBytes, size - taken);
    if (Status status = ExchangeBlock(link, expected); !status.ok()) {
      return NotFetched(name, "block " + std::to_string(block + 1) + " of " +
                                  std::to_string(blocks + 1) + ": " + status.description());
    }
    const std::int32_t kept = std::min(expected, size - 1 - taken);  // the last byte is left out
    if (kept > 0) {
      const auto* content = reinterpret_cast<const char*>(&link.ReceiveBuffer[kContentAt]);
      bytes.append(content, static_cast<std::size_t>(kept));
    }
    taken += expected;
    progress.SetProgress(block);
  }
  if (bytes.find('\0') != std::string::npos) {
    return NotFetched(name, "the controller sent NUL bytes in place of its content.");
  }
  return bytes;
}

// The file the size request named, moving the progress bar while it comes.
Result<std::string> FetchContent(Link& link, ResultsView& progress, std::string_view name,
                                 std::int32_t size) {
  const std::int32_t blocks = BlocksAfterFirst(size);
  if (blocks != 0) progress.ShowProgress(blocks + 1);
  Result<std::string> bytes = ReceiveBlocks(link, progress, name, size, blocks);
  progress.HideProgress();
  return bytes;
}

// A listing transaction whose reply holds `required` bytes.
Status ListingExchange(Link& link, std::int32_t required) {
  Status status = link.Exchange(required);
  if (status.ok()) return status;
  return Status::Error(status.code(),
                       "The controller's file list could not be read: " + status.description());
}

// The size of the file the size request names, or why it cannot be fetched.
Result<std::int32_t> FileSize(Link& link, std::string_view name) {
  if (name.empty() || name.size() > kControllerNameBytes) {
    return NotFetched(name, "its name does not fit a request (1 to 8 characters).");
  }
  WriteSizeRequest(link, name);
  if (Status status = link.Exchange(kSizeReplyBytes); !status.ok()) {
    return NotFetched(name, status.description());
  }
  const std::int32_t size = link.ReplyLong(kSizeAt);
  if (size <= 0) return NotFetched(name, "the controller reports it empty.");
  if (size > kMaxControllerFileBytes) {
    return NotFetched(name, "the controller reports " + std::to_string(size) +
                                " bytes, more than a data file can have.");
  }
  return size;
}

}  // namespace

Result<ControllerFileList> ListControllerFiles(Link& link) {
  ControllerFileList list;
  link.PrepareBuffers(64, 64);
  WriteListRequest(link, false, 0);
  if (Status status = ListingExchange(link, kCountReplyBytes); !status.ok()) return status;
  list.count = link.ReplyWord(kCountAt);
  for (std::int32_t i = 0; i < list.count && list.entries.size() < kFileEntries; ++i) {
    WriteListRequest(link, true, static_cast<std::uint16_t>(i));
    if (Status status = ListingExchange(link, kEntryReplyBytes); !status.ok()) return status;
    std::string entry = EntryText(link);
    const std::string name = ControllerFileName(entry);
    if (name.empty()) break;
    // A longer name does not fit the request: cut short, it could name another file.
    if (name.size() > kControllerNameBytes) continue;
    WriteSizeRequest(link, name);
    if (Status status = ListingExchange(link, kSizeReplyBytes); !status.ok()) return status;
    if (link.ReplyLong(kSizeAt) != 0) list.entries.push_back(std::move(entry));
  }
  return list;
}

std::string ControllerFileName(std::string_view entry) {
  const std::size_t space = entry.find(' ');
  if (space == std::string_view::npos || space <= kExtensionLength) return {};
  return std::string(entry.substr(0, space - kExtensionLength));
}

Result<DataLineList> FetchControllerFile(Link& link, ResultsView& progress, std::string_view name) {
  link.PrepareBuffers(64, 512);
  Result<std::int32_t> size = FileSize(link, name);
  if (!size.ok()) return size.status();
  Result<std::string> bytes = FetchContent(link, progress, name, size.value());
  if (!bytes.ok()) return bytes.status();
  Result<DataLineList> lines = DataLinesFromBytes(bytes.value(), kControllerFileLines);
  if (!lines.ok()) return NotFetched(name, lines.status().description());
  return lines;
}

}  // namespace kv
