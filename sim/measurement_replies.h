// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "sim/controller_config.h"
#include "sim/measurement.h"
#include "sim/request.h"

namespace kvsim {

// The replies that carry the last measurement (0x7003, 0x7004, 0x7005,
// 0x2340), and where each sequence of blocks or profile records stands.
class MeasurementReplies {
 public:
  // Makes the measurement the configuration describes.
  explicit MeasurementReplies(const Config& config);

  const Measurement& measurement() const { return measurement_; }

  // Writes the reply fields of `request` into `reply`, whose header is in
  // place and whose size is that of the reply; a record reply grows by its
  // text. False when the request gets no reply.
  bool Fill(const Request& request, std::vector<std::uint8_t>& reply);

 private:
  bool PutProfileRecords(std::span<std::uint8_t> reply);

  Measurement measurement_;
  std::size_t recordsPerReply_;
  std::optional<std::size_t> profileStopsAfter_;
  std::array<std::size_t, 2> evaluationCursors_{};                      // next value, by set
  std::array<std::array<std::size_t, kGraphTypes>, 2> graphCursors_{};  // by set and type
  std::size_t profileCursor_ = 0;                                       // next profile point
  std::size_t profileReplies_ = 0;                                      // 0x2340 replies given
};

}  // namespace kvsim
