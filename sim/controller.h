// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <span>
#include <string_view>
#include <vector>

#include "sim/cf_card.h"
#include "sim/controller_config.h"
#include "sim/measurement.h"
#include "sim/measurement_replies.h"
#include "sim/request.h"

namespace kvsim {

// The KV-730 controller as its USB driver shows it: one request in, one reply
// out. Every method locks one mutex, so a test thread may press the print key
// or change the configuration while a server thread serves requests.
class Controller {
 public:
  // A simulator polled twice a second for days must not grow without end.
  static constexpr std::size_t kMaxKeptRequests = 100000;

  explicit Controller(Config config = {});

  // How the link stands after a read.
  enum class Link {
    Up,
    Stalled,  // this read and every later one go unanswered
    Closed,   // the controller closed the link, after this read's reply if it has one
  };

  // What one read delivers.
  struct Delivery {
    int count = 0;                       // bytes copied; -1: the link was closed before
    std::chrono::milliseconds delay{0};  // how late the reply is due over the socket
    Link link = Link::Up;
  };

  // 0 when the device name (the bytes up to the first NUL) is "Corvanet_KV",
  // else 1. Until a successful open the controller answers nothing. Every
  // open restarts the reply count of the link faults and ends a closed link.
  int Open(std::string_view deviceName);
  void Close();

  // Takes one request frame and prepares its reply, replacing any reply not
  // yet read; a malformed or unknown frame leaves no reply. Returns the count
  // taken: frame.size(), 0 while the device is not open, -1 once the
  // controller has closed the link. Every frame is kept for Requests().
  int Write(std::span<const std::uint8_t> frame);

  // Copies the prepared reply (at most out.size() bytes); the reply is
  // consumed, so the next read gets 0 bytes. Every read of the open device
  // counts as one reply for the link faults.
  Delivery Deliver(std::span<std::uint8_t> out);

  // Deliver() in the same process: the count, 0 for a stalled read, -1 once
  // the controller has closed the link (until the next Open).
  int Read(std::span<std::uint8_t> out) { return Deliver(out).count; }

  // The next 0x2445 reply reports 16, once.
  void PressPrintKey();

  // Every frame received, in order (the latest kMaxKeptRequests).
  std::vector<std::vector<std::uint8_t>> Requests() const;

  // The mode byte of the last 0x7011 (0 before any).
  std::uint8_t OutputMode() const;

  Config GetConfig() const;
  // Replaces the configuration and makes its measurement; the status list,
  // the block sequences, the profile and the card start again from their
  // beginning.
  void SetConfig(Config config);

  // The last measurement, as the replies carry it. It does not change until
  // the next SetConfig, which ends the reference's life.
  const Measurement& measurement() const;

 private:
  ParsedRequest Parse(std::span<const std::uint8_t> frame);
  std::vector<std::uint8_t> Reply(const Request& request, std::span<const std::uint8_t> frame);
  std::uint16_t NextStatus();
  void Log(std::span<const std::uint8_t> frame, const ParsedRequest& parsed) const;

  mutable std::mutex mutex_;
  Config config_;
  bool open_ = false;
  bool linkClosed_ = false;
  std::size_t replies_ = 0;  // reads of the open device since the last Open
  std::size_t statusIndex_ = 0;
  bool printKeyPressed_ = false;
  std::size_t printKeyPolls_ = 0;
  std::uint8_t outputMode_ = 0;
  MeasurementReplies measurementReplies_;
  CfCard card_;
  std::vector<std::uint8_t> reply_;
  std::deque<std::vector<std::uint8_t>> requests_;
};

}  // namespace kvsim
