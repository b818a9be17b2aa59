// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/controller_config.h"
#include "sim/request.h"

namespace kvsim {

// The card the simulator holds unless told otherwise, made on first use:
// data files of measurements of different seeds, metric and inch, with LF and
// CR LF line ends, and a large one with a 50,001-point evaluation. Every file
// ends with a line feed.
const std::vector<CardFile>& DefaultCardFiles();

// Every *.TXT file (any case) of a host folder, in name order; or why the
// folder could not be read.
struct LoadedCard {
  std::vector<CardFile> files;
  std::string problem;
};
LoadedCard LoadCardFolder(const std::string& folder);

// The controller's CF card as the listing (0x7006) and the file requests
// (0x7007) show it. A file is asked for by its listed name less the last four
// characters (".TXT"); a name the card does not hold has size 0.
class CfCard {
 public:
  explicit CfCard(const Config& config);

  // Checks the bytes a card request carries from the card requests before
  // it, as the program's listing reuses one buffer: an entry request holds
  // in 12-20 the name of the last size request (nothing after a count
  // request); a size request holds in 10-11 the index of the last entry
  // request, or 0 when its buffers are new (the fetch). When they are right,
  // notes what the request leaves for the next one. Returns the problem,
  // empty when fine; other requests pass unchecked.
  std::string Accept(const Request& request);

  // Writes the reply fields of an accepted card request into `reply`, whose
  // header is in place; an entry reply grows by its text. False when the
  // request gets no reply.
  bool Fill(const Request& request, std::vector<std::uint8_t>& reply);

 private:
  const std::vector<CardFile>& Files() const;
  std::optional<std::size_t> Find(const std::string& requested) const;
  std::size_t& Position(std::size_t index);
  void PutEntry(std::vector<std::uint8_t>& reply, std::size_t index) const;
  void PutSize(std::vector<std::uint8_t>& reply, const std::string& requested);
  bool PutBlock(std::vector<std::uint8_t>& reply, const std::string& requested);

  std::optional<std::vector<CardFile>> files_;  // none: DefaultCardFiles()
  std::string zeroSize_;
  std::optional<std::size_t> stopsAfter_;
  std::size_t blockReplies_ = 0;
  std::vector<std::size_t> positions_;  // next byte to send, by file
  std::uint16_t lastEntryIndex_ = 0;
  std::string lastSizeName_;
};

}  // namespace kvsim
