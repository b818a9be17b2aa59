// SPDX-License-Identifier: GPL-3.0-or-later
#include "session.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kvbridge {
namespace {

// Longest device name or frame taken, and most bytes one read may ask for,
// as kv730-sim takes them.
constexpr std::int32_t kMaxPayload = 65536;

// Answers the client's messages with as few socket calls as the stream
// allows: one receive takes whatever has come (kvcom sends a write and its
// read together), and the answers wait until every message received so far
// is answered, then go out in one send. Under Wine every socket call is a
// trip through its server, so this is what a transaction costs.
class Stream {
 public:
  explicit Stream(SOCKET client) : client_(client) {}

  // Fills `bytes` from the stream; false once the client has gone.
  bool Take(std::span<std::uint8_t> bytes) {
    while (input_.size() - taken_ < bytes.size()) {
      if (!Flush() || !Receive()) return false;
    }
    std::copy_n(input_.begin() + static_cast<std::ptrdiff_t>(taken_), bytes.size(), bytes.begin());
    taken_ += bytes.size();
    return true;
  }

  bool TakeNumber(std::int32_t& number) {
    std::uint8_t bytes[4];
    if (!Take(bytes)) return false;
    number =
        static_cast<std::int32_t>(std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 |
                                  std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24);
    return true;
  }

  // Queues the number, then `body`.
  void Answer(std::int32_t number, std::span<const std::uint8_t> body = {}) {
    const auto bits = static_cast<std::uint32_t>(number);
    for (int shift = 0; shift < 32; shift += 8) {
      output_.push_back(static_cast<std::uint8_t>(bits >> shift));
    }
    output_.insert(output_.end(), body.begin(), body.end());
  }

  // Sends the queued answers; false once the client has gone.
  bool Flush() {
    std::span<const std::uint8_t> bytes = output_;
    while (!bytes.empty()) {
      const int count = send(client_, reinterpret_cast<const char*>(bytes.data()),
                             static_cast<int>(bytes.size()), 0);
      if (count <= 0) return false;
      bytes = bytes.subspan(static_cast<std::size_t>(count));
    }
    output_.clear();
    return true;
  }

 private:
  static constexpr std::size_t kChunk = 65536;

  bool Receive() {
    input_.erase(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(taken_));
    taken_ = 0;
    const std::size_t kept = input_.size();
    input_.resize(kept + kChunk);
    const int count =
        recv(client_, reinterpret_cast<char*>(input_.data() + kept), static_cast<int>(kChunk), 0);
    input_.resize(kept + static_cast<std::size_t>(count > 0 ? count : 0));
    return count > 0;
  }

  SOCKET client_;
  std::vector<std::uint8_t> input_;
  std::size_t taken_ = 0;
  std::vector<std::uint8_t> output_;
};

// "> FF 00 04 ..." for a frame to the controller, "< ..." for its reply.
void LogFrame(char direction, std::span<const std::uint8_t> bytes) {
  std::string line(1, direction);
  for (const std::uint8_t byte : bytes) {
    char pair[4];
    (void)std::snprintf(pair, sizeof pair, " %02X", byte);
    line += pair;
  }
  line += '\n';
  (void)std::fputs(line.c_str(), stderr);
  (void)std::fflush(stderr);
}

// One connection's state: whether its client holds the device open.
class Session {
 public:
  Session(SOCKET client, kv::Transport& driver, bool log)
      : stream_(client), driver_(driver), log_(log) {}

  // One message and its answer; false ends the connection.
  bool Next() {
    std::uint8_t code = 0;
    if (!stream_.Take(std::span(&code, 1))) return false;
    if (code == 'C') {
      Close();
      return true;
    }
    std::int32_t number = 0;
    if ((code != 'O' && code != 'W' && code != 'R') || !stream_.TakeNumber(number) || number < 0 ||
        number > kMaxPayload) {
      return false;
    }
    std::vector<std::uint8_t> payload(static_cast<std::size_t>(number));
    if (code == 'R') {
      Read(payload);
    } else if (!stream_.Take(payload)) {
      return false;
    } else if (code == 'O') {
      Open(payload);
    } else {
      Write(payload);
    }
    return true;
  }

  // Sends what is still queued. A client that left without closing has
  // ended its run: the device is closed for it.
  void End() {
    stream_.Flush();
    if (open_) driver_.close();
  }

 private:
  void Open(std::span<const std::uint8_t> name) {
    const int result =
        driver_.open(std::string_view(reinterpret_cast<const char*>(name.data()), name.size()));
    open_ = result == 0;
    stream_.Answer(result);
  }

  void Close() {
    driver_.close();
    open_ = false;
    stream_.Answer(0);
  }

  void Write(std::span<const std::uint8_t> frame) {
    if (log_) LogFrame('>', frame);
    stream_.Answer(driver_.write(frame));
  }

  void Read(std::span<std::uint8_t> reply) {
    const int count = driver_.read(reply);
    const std::span<const std::uint8_t> delivered =
        reply.first(count > 0 ? static_cast<std::size_t>(count) : 0);
    if (log_) LogFrame('<', delivered);
    stream_.Answer(static_cast<std::int32_t>(delivered.size()), delivered);
  }

  Stream stream_;
  kv::Transport& driver_;
  bool log_;
  bool open_ = false;
};

}  // namespace

void Serve(SOCKET client, kv::Transport& driver, bool log) {
  Session session(client, driver, log);
  while (session.Next()) {
  }
  session.End();
}

}  // namespace kvbridge
