// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/transport/tcp_transport.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace kv {
namespace {

// Connects within `timeout`, so a host that never answers (a bridge PC that
// is switched off) fails start-up like a refused connection instead of
// waiting for the system's own connect time-out of minutes.
bool ConnectWithin(int fd, const addrinfo& address, std::chrono::milliseconds timeout) {
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) != 0) return false;
  bool connected = ::connect(fd, address.ai_addr, address.ai_addrlen) == 0;
  if (!connected && errno == EINPROGRESS) {
    pollfd ready{fd, POLLOUT, 0};
    int error = 0;
    socklen_t length = sizeof error;
    connected = ::poll(&ready, 1, static_cast<int>(timeout.count())) == 1 &&
                ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
  }
  return connected && ::fcntl(fd, F_SETFL, flags) == 0;
}

void PutNumber(std::vector<std::uint8_t>& out, std::int32_t number) {
  auto value = static_cast<std::uint32_t>(number);
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

}  // namespace

TcpTransport::TcpTransport(std::string address, std::chrono::milliseconds replyTimeout)
    : address_(std::move(address)), replyTimeout_(replyTimeout) {}

TcpTransport::~TcpTransport() {
  Disconnect();
}

bool TcpTransport::Connect() {
  if (socket_ >= 0) return true;
  auto colon = address_.rfind(':');
  if (colon == std::string::npos) return false;
  std::string host = address_.substr(0, colon);
  if (host.size() > 2 && host.front() == '[' && host.back() == ']')
    host = host.substr(1, host.size() - 2);
  std::string port = address_.substr(colon + 1);
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0) return false;
  for (addrinfo* a = found; a && socket_ < 0; a = a->ai_next) {
    int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (fd < 0) continue;
    if (ConnectWithin(fd, *a, replyTimeout_)) {
      int one = 1;
      ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
      socket_ = fd;
    } else {
      ::close(fd);
    }
  }
  ::freeaddrinfo(found);
  return socket_ >= 0;
}

void TcpTransport::Disconnect() {
  if (socket_ >= 0) ::close(socket_);
  socket_ = -1;
  writeAnswersDue_ = 0;
  unsent_.clear();
}

bool TcpTransport::Send(std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes = bytes.subspan(static_cast<std::size_t>(n));
  }
  return true;
}

// The whole answer to one operation must arrive before its deadline, so a
// controller that trickles its bytes cannot stretch a transaction either.
bool TcpTransport::Receive(std::span<std::uint8_t> bytes) {
  while (!bytes.empty()) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now());
    pollfd ready{socket_, POLLIN, 0};
    int polled = left.count() > 0 ? ::poll(&ready, 1, static_cast<int>(left.count())) : 0;
    if (polled < 0 && errno == EINTR) continue;
    if (polled == 0) {
      timedOut_ = true;
      return false;
    }
    if (polled < 0) return false;
    ssize_t n = ::recv(socket_, bytes.data(), bytes.size(), 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes = bytes.subspan(static_cast<std::size_t>(n));
  }
  return true;
}

// A write waits in `unsent_` and goes out with the next message, in one
// send: a server or bridge then mostly receives a whole transaction at once.
bool TcpTransport::SendRequest(std::uint8_t code, std::int32_t number,
                               std::span<const std::uint8_t> body) {
  timedOut_ = false;
  if (socket_ < 0) return false;
  deadline_ = Clock::now() + replyTimeout_;
  unsent_.push_back(code);
  PutNumber(unsent_, number);
  unsent_.insert(unsent_.end(), body.begin(), body.end());
  if (code == 'W') return true;
  const bool sent = Send(unsent_);
  unsent_.clear();
  if (!sent) Disconnect();
  return sent;
}

bool TcpTransport::ReceiveNumber(std::int32_t& number) {
  std::uint8_t bytes[4];
  if (!Receive(bytes)) {
    Disconnect();
    return false;
  }
  number = static_cast<std::int32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 |
                                     static_cast<std::uint32_t>(bytes[3]) << 24);
  return true;
}

int TcpTransport::open(std::string_view device) {
  device = device.substr(0, device.find('\0'));
  auto name = std::span(reinterpret_cast<const std::uint8_t*>(device.data()), device.size());
  std::int32_t result = -1;
  if (!Connect() || !SendRequest('O', static_cast<std::int32_t>(name.size()), name) ||
      !CollectWriteAnswers() || !ReceiveNumber(result)) {
    return -1;
  }
  return result;
}

void TcpTransport::close() {
  std::int32_t ignored = 0;
  if (SendRequest('C', 0, {}) && CollectWriteAnswers()) ReceiveNumber(ignored);
  Disconnect();
}

int TcpTransport::Failure() const {
  return timedOut_ ? kNoAnswerInTime : kLinkFailed;
}

// A write is sent with the next read (or close) and its answer collected
// with that one's, so that a transaction costs one round trip: the write's
// count is never used, and a failed link still shows at that next operation.
bool TcpTransport::CollectWriteAnswers() {
  for (; writeAnswersDue_ > 0; --writeAnswersDue_) {
    std::int32_t ignored = 0;
    if (!ReceiveNumber(ignored)) return false;
  }
  return true;
}

int TcpTransport::write(std::span<const std::uint8_t> frame) {
  if (!SendRequest('W', static_cast<std::int32_t>(frame.size()), frame)) return Failure();
  ++writeAnswersDue_;
  return static_cast<int>(frame.size());
}

int TcpTransport::read(std::span<std::uint8_t> reply) {
  std::int32_t length = 0;
  if (!SendRequest('R', static_cast<std::int32_t>(reply.size()), {}) || !CollectWriteAnswers() ||
      !ReceiveNumber(length)) {
    return Failure();
  }
  if (length < 0 || static_cast<std::size_t>(length) > reply.size()) {
    Disconnect();  // the stream can no longer be trusted
    return kLinkFailed;
  }
  // Received apart first, so a reply cut off mid-way leaves `reply` untouched.
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
  if (!Receive(bytes)) {
    Disconnect();
    return Failure();
  }
  std::copy(bytes.begin(), bytes.end(), reply.begin());
  return length;
}

}  // namespace kv
