// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>

#include "platform/transport/transport.h"
#include "results/silent_view.h"

namespace kvfuzz {

// The fuzz input as the controller's side of the link: each read takes the
// next chunk, a little-endian word and what follows. A word from 0xF000 on is
// a failed read (low two bits: no answer, kLinkFailed, kNoAnswerInTime, no
// answer); any other word is the count of reply bytes that follow, cut to what
// the input still holds. The read returns that count even beyond the reply
// buffer, as a faulty driver might. Every read takes input and an exhausted
// input answers nothing, so every reader loop ends within the input's length.
class ChunkedTransport final : public kv::Transport {
 public:
  explicit ChunkedTransport(std::span<const std::uint8_t> input) : rest_(input) {}

  int open(std::string_view) override { return 0; }
  void close() override {}
  int write(std::span<const std::uint8_t> frame) override { return static_cast<int>(frame.size()); }
  int read(std::span<std::uint8_t> reply) override {
    if (rest_.size() < 2) {
      rest_ = {};
      return 0;
    }
    const unsigned word = rest_[0] | rest_[1] << 8;
    rest_ = rest_.subspan(2);
    if (word >= 0xF000) {
      constexpr int kFailures[] = {0, kv::kLinkFailed, kv::kNoAnswerInTime, 0};
      return kFailures[word & 3];
    }
    const std::size_t length = std::min<std::size_t>(word, rest_.size());
    std::copy_n(rest_.begin(), std::min(length, reply.size()), reply.begin());
    rest_ = rest_.subspan(length);
    return static_cast<int>(length);
  }

 private:
  std::span<const std::uint8_t> rest_;
};

// The displays: nothing to see in a fuzz run.
using NullView = kv::SilentView<>;

// A broken promise of the code under test: libFuzzer reports it as a crash.
inline void Expect(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace kvfuzz
