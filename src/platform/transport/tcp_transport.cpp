// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/transport/tcp_transport.h"

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

bool IsLoopback(const sockaddr* address) {
  if (address->sa_family == AF_INET) {
    auto* v4 = reinterpret_cast<const sockaddr_in*>(address);
    return (ntohl(v4->sin_addr.s_addr) >> 24) == 127;
  }
  if (address->sa_family == AF_INET6) {
    auto* v6 = reinterpret_cast<const sockaddr_in6*>(address);
    return IN6_IS_ADDR_LOOPBACK(&v6->sin6_addr);
  }
  return false;
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
    if (!IsLoopback(a->ai_addr)) continue;
    int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (fd < 0) continue;
    if (::connect(fd, a->ai_addr, a->ai_addrlen) == 0) {
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

bool TcpTransport::SendRequest(std::uint8_t code, std::int32_t number,
                               std::span<const std::uint8_t> body) {
  timedOut_ = false;
  if (socket_ < 0) return false;
  deadline_ = Clock::now() + replyTimeout_;
  std::vector<std::uint8_t> message{code};
  PutNumber(message, number);
  message.insert(message.end(), body.begin(), body.end());
  if (Send(message)) return true;
  Disconnect();
  return false;
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
      !ReceiveNumber(result)) {
    return -1;
  }
  return result;
}

void TcpTransport::close() {
  std::int32_t ignored = 0;
  if (SendRequest('C', 0, {})) ReceiveNumber(ignored);
  Disconnect();
}

int TcpTransport::Failure() const {
  return timedOut_ ? kNoAnswerInTime : kLinkFailed;
}

int TcpTransport::write(std::span<const std::uint8_t> frame) {
  std::int32_t written = 0;
  if (!SendRequest('W', static_cast<std::int32_t>(frame.size()), frame) ||
      !ReceiveNumber(written)) {
    return Failure();
  }
  return std::clamp<std::int32_t>(written, 0, static_cast<std::int32_t>(frame.size()));
}

int TcpTransport::read(std::span<std::uint8_t> reply) {
  std::int32_t length = 0;
  if (!SendRequest('R', static_cast<std::int32_t>(reply.size()), {}) || !ReceiveNumber(length)) {
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
