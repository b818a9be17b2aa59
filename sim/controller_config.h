// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kvsim {

// How the simulated controller misbehaves on the reply side.
enum class Fault {
  None,         // every valid request gets its whole reply
  NoAnswer,     // requests are taken, but every read delivers nothing
  ShortAnswer,  // replies are cut to Config::shortLength bytes
};

// A data file on the controller's CF card.
struct CardFile {
  std::string name;   // as the listing shows it, e.g. "KV000001.TXT"; any length
  std::string bytes;  // its content
};

// What the simulated controller reports about itself.
struct Config {
  std::string version = "Ver 1.103";  // version text; the reply carries at most 52 bytes of it
  std::uint8_t language = 1;          // LanguageIndex
  std::uint8_t unit = 0;              // 0 metric, 1 inch
  std::uint8_t evaluationFlag = 0;    // controller evaluation flag
  // 0x2440 answers these in turn; the last one then sticks (none: 0).
  std::vector<std::uint16_t> statuses = {0};
  Fault fault = Fault::None;
  std::size_t shortLength = 8;  // reply length in ShortAnswer mode
  bool log = false;             // each request as one hex line on stderr

  // Faults of the link. Replies are counted from 1 for every read of the
  // open device since the last Open.
  std::optional<std::size_t> dropAfter = {};    // the controller closes the link after this reply
  std::optional<std::size_t> zeroReplyAt = {};  // this reply delivers 0 bytes, once
  std::optional<std::size_t> stallAt = {};      // no read is answered from this reply on
  // How late each reply is delivered over the loopback socket; reads in the
  // same process are never delayed, so tests stay fast.
  std::uint32_t replyDelayMs = 0;

  // The last measurement, made anew whenever the configuration is set.
  std::uint64_t seed = 732;  // of the generated profile
  // Generated profile points, kMinPoints to kMaxPoints; 4801 at 1 um is five
  // cut-offs of 0.8 mm and half a cut-off of run-up and run-over.
  std::size_t points = 4801;
  std::uint8_t cutoffCode = 3;       // 0.025 mm to 80 mm; 3 = 0.8 mm
  std::uint8_t pitchCode = 3;        // 0.05 um to 50 um; 3 = 1 um
  std::vector<double> profile = {};  // measured profile in um instead of a generated one
  // Values 0x7004 reports for each set (at most the evaluation length's
  // points); none: every point of the evaluation length.
  std::optional<std::size_t> evaluationTotal = {};
  // Values 0x7005 reports by graph type: ADC classes, BAC heights, POW
  // components (at most half the points).
  std::array<std::size_t, 3> graphTotals = {51, 101, 256};
  // Records 0x2340 reports per reply; more than 15 do not fit whole into
  // the 320 bytes, and what does not fit is cut off.
  std::size_t recordsPerReply = 15;
  // 0x2340 falls silent (no reply) after this many replies.
  std::optional<std::size_t> profileStopsAfter = {};
  // The print key is pressed at this 0x2445 poll (counted from 1), once.
  std::optional<std::size_t> printKeyAfter = {};
  // A controller whose calculation is off: the parameter of this name ("Ra")
  // is reported larger by `offset`, in the unit it is shown in.
  struct ParameterOffset {
    std::string name;
    double offset = 0;
  };
  std::optional<ParameterOffset> parameterOffset = {};

  // The data files on the CF card; none: a few generated ones
  // (DefaultCardFiles()).
  std::optional<std::vector<CardFile>> cardFiles = {};
  // The card reports size 0 for the file listed under this name.
  std::string cardZeroSize = {};
  // 0x7007 content requests fall silent (no reply) after this many replies.
  std::optional<std::size_t> cardStopsAfter = {};
};

// Profile lengths the controller stores.
constexpr std::size_t kMinPoints = 16;
constexpr std::size_t kMaxPoints = 50001;

}  // namespace kvsim
