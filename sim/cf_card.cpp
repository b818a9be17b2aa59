// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/cf_card.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include "sim/data_file_writer.h"
#include "sim/measurement.h"
#include "sim/reply_bytes.h"

namespace kvsim {
namespace {

constexpr std::size_t kTextAt = 24;
constexpr std::size_t kSizeAt = 24;
constexpr std::size_t kContentAt = 28;
constexpr std::size_t kBlockBytes = 400;
constexpr std::size_t kMaxListedFiles = 0xFFFF;  // the count is 16-bit
constexpr std::size_t kExtensionLength = 4;      // ".TXT"

std::string MeasurementFile(std::uint64_t seed, bool inch, bool crLf) {
  Config config;
  config.seed = seed;
  config.unit = inch ? 1 : 0;
  return DataFileBytes(Measure(config), {.inch = inch, .crLf = crLf});
}

// Set A evaluated over the whole 50,001-point trace; set B cut to 1,000
// values, so that the file still fits the lines the program keeps.
std::string LargeFile() {
  Config config;
  config.seed = 505;
  config.points = kMaxPoints;
  Measurement measurement = Measure(config);
  measurement.sets[0].evaluation = measurement.measured;
  measurement.sets[1].evaluation.resize(1000);
  return DataFileBytes(measurement, {});
}

bool IsTxt(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return extension == ".TXT";
}

}  // namespace

const std::vector<CardFile>& DefaultCardFiles() {
  static const std::vector<CardFile> files = {
      {"KV000001.TXT", MeasurementFile(101, false, false)},
      {"KV000002.TXT", MeasurementFile(202, true, false)},
      {"KV000003.TXT", MeasurementFile(303, false, true)},
      {"KV000004.TXT", MeasurementFile(404, true, true)},
      {"KV000005.TXT", LargeFile()},
  };
  return files;
}

LoadedCard LoadCardFolder(const std::string& folder) {
  LoadedCard card;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (!entry.is_regular_file() || !IsTxt(entry.path())) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in) return {{}, entry.path().string() + " cannot be read"};
    card.files.push_back({entry.path().filename().string(), std::move(bytes)});
  }
  if (error) return {{}, folder + " cannot be read: " + error.message()};
  std::sort(card.files.begin(), card.files.end(),
            [](const CardFile& a, const CardFile& b) { return a.name < b.name; });
  return card;
}

CfCard::CfCard(const Config& config)
    : files_(config.cardFiles),
      zeroSize_(config.cardZeroSize),
      stopsAfter_(config.cardStopsAfter) {}

std::string CfCard::Accept(const Request& request) {
  switch (request.kind) {
    case RequestKind::CardCount:
      lastEntryIndex_ = 0;
      lastSizeName_.clear();
      return {};
    case RequestKind::CardEntry:
      if (request.name != lastSizeName_) {
        return "card entry request: bytes 12-19 hold \"" + request.name + "\", expected \"" +
               lastSizeName_ + "\" of the size request before";
      }
      lastEntryIndex_ = static_cast<std::uint16_t>(request.value);
      return {};
    case RequestKind::CardSize:
      if (request.value != 0 && request.value != lastEntryIndex_) {
        return "card size request: bytes 10-11 hold " + std::to_string(request.value) +
               ", expected 0 or the entry index " + std::to_string(lastEntryIndex_);
      }
      lastSizeName_ = request.name;
      return {};
    default:
      return {};
  }
}

bool CfCard::Fill(const Request& request, std::vector<std::uint8_t>& reply) {
  switch (request.kind) {
    case RequestKind::CardCount:
      PutLe(reply, 10, std::min(Files().size(), kMaxListedFiles), 2);  // 10-11: file count
      return true;
    case RequestKind::CardEntry:
      PutEntry(reply, request.value);
      return true;
    case RequestKind::CardSize:
      PutSize(reply, request.name);
      return true;
    case RequestKind::CardBlock:
      return PutBlock(reply, request.name);
    default:
      return false;
  }
}

const std::vector<CardFile>& CfCard::Files() const {
  return files_ ? *files_ : DefaultCardFiles();
}

std::optional<std::size_t> CfCard::Find(const std::string& requested) const {
  const std::vector<CardFile>& files = Files();
  for (std::size_t i = 0; i < files.size(); ++i) {
    const std::string& name = files[i].name;
    if (name.size() > kExtensionLength &&
        name.compare(0, name.size() - kExtensionLength, requested) == 0) {
      return i;
    }
  }
  return std::nullopt;
}

// The default card is made only once a request needs it.
std::size_t& CfCard::Position(std::size_t index) {
  if (positions_.size() <= index) positions_.resize(Files().size(), 0);
  return positions_[index];
}

// 24..: the name, a NUL, then date, time and size, so the reply ends where
// the text ends; 2-3 follow the new length. An index past the last file gets
// no text.
void CfCard::PutEntry(std::vector<std::uint8_t>& reply, std::size_t index) const {
  reply.resize(kTextAt);
  if (index < Files().size()) {
    const CardFile& file = Files()[index];
    const std::string text =
        file.name + '\0' + "2024/05/17,10:30," + std::to_string(file.bytes.size());
    reply.insert(reply.end(), text.begin(), text.end());
  }
  PutLe(reply, 2, reply.size() - 4, 2);
}

// 24-27: the file size; the file is read again from its start.
void CfCard::PutSize(std::vector<std::uint8_t>& reply, const std::string& requested) {
  const std::optional<std::size_t> index = Find(requested);
  if (!index) return;
  Position(*index) = 0;
  const CardFile& file = Files()[*index];
  if (file.name != zeroSize_) PutLe(reply, kSizeAt, file.bytes.size(), 4);
}

// 28-427: the next 400 bytes of the file, zeros past its end.
bool CfCard::PutBlock(std::vector<std::uint8_t>& reply, const std::string& requested) {
  if (stopsAfter_ && blockReplies_ >= *stopsAfter_) return false;
  ++blockReplies_;
  const std::optional<std::size_t> index = Find(requested);
  if (!index) return true;
  const std::string& bytes = Files()[*index].bytes;
  std::size_t& position = Position(*index);
  const std::size_t count = std::min(kBlockBytes, bytes.size() - position);
  std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(position), count,
              reply.begin() + kContentAt);
  position += count;
  return true;
}

}  // namespace kvsim
