// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/loopback_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "sim/loopback_session.h"

namespace kvsim {
namespace {

// Answers waiting for a client that does not read stop further reading here.
constexpr std::size_t kMaxPendingOutput = 1 << 16;
constexpr std::size_t kReceiveChunk = 4096;

bool MakeNonBlocking(int fd) {
  const int flags = fcntl(fd, F_GETFL);
  return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0 &&
         fcntl(fd, F_SETFD, FD_CLOEXEC) == 0;
}

void CloseFd(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

}  // namespace

struct LoopbackServer::Connection {
  explicit Connection(Controller& controller) : session(controller) {}
  int fd = -1;
  LoopbackSession session;
  std::vector<std::uint8_t> input;
  std::vector<std::uint8_t> output;
  bool stalled = false;  // the controller answers nothing more on this connection
};

LoopbackServer::LoopbackServer(Controller& controller) : controller_(controller) {}

LoopbackServer::~LoopbackServer() {
  Stop();
  CloseFd(listenFd_);
  CloseFd(wakeFds_[0]);
  CloseFd(wakeFds_[1]);
}

bool LoopbackServer::Listen(std::uint16_t port) {
  if (pipe(wakeFds_) != 0) return false;
  listenFd_ = socket(AF_INET, SOCK_STREAM, 0);
  const int reuse = 1;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  const bool ok =
      listenFd_ >= 0 && MakeNonBlocking(wakeFds_[0]) && MakeNonBlocking(wakeFds_[1]) &&
      MakeNonBlocking(listenFd_) &&
      setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse) == 0 &&
      bind(listenFd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
      listen(listenFd_, 4) == 0 &&
      getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length) == 0;
  if (!ok) {
    const int error = errno;
    CloseFd(listenFd_);
    errno = error;
    return false;
  }
  port_ = ntohs(address.sin_port);
  return true;
}

void LoopbackServer::Start() {
  thread_ = std::thread([this] { Serve(); });
}

void LoopbackServer::Stop() {
  Interrupt();
  if (thread_.joinable()) thread_.join();
}

void LoopbackServer::Interrupt() {
  stopping_ = true;
  if (wakeFds_[1] >= 0) {
    const char byte = 0;
    // A full pipe already wakes the loop, so a failed write loses nothing.
    [[maybe_unused]] const ssize_t written = write(wakeFds_[1], &byte, 1);
  }
}

void LoopbackServer::Serve(const std::function<bool()>& poll_stdin) {
  if (listenFd_ < 0) return;
  bool watchStdin = static_cast<bool>(poll_stdin);
  Connection connection(controller_);
  while (!stopping_) {
    std::vector<pollfd> fds = {{wakeFds_[0], POLLIN, 0}};
    if (connection.fd < 0) {
      fds.push_back({listenFd_, POLLIN, 0});
    } else {
      short events = connection.output.empty() ? 0 : POLLOUT;
      if (connection.output.size() < kMaxPendingOutput) events |= POLLIN;
      fds.push_back({connection.fd, events, 0});
    }
    if (watchStdin) fds.push_back({STDIN_FILENO, POLLIN, 0});
    if (poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (watchStdin && fds.back().revents != 0) {
      watchStdin = (fds.back().revents & POLLNVAL) == 0 && poll_stdin();
    }
    const short revents = fds[1].revents;
    if (connection.fd < 0) {
      if (revents != 0) Accept(connection);
    } else {
      if (revents & POLLOUT) Send(connection);
      if (connection.fd >= 0 && (revents & (POLLIN | POLLHUP | POLLERR))) Receive(connection);
    }
  }
  Drop(connection);
}

void LoopbackServer::Accept(Connection& connection) {
  const int fd = accept(listenFd_, nullptr, nullptr);
  if (fd < 0) return;  // the peer gave up already; wait for the next
  if (!MakeNonBlocking(fd)) {
    close(fd);
    return;
  }
  connection.fd = fd;
}

void LoopbackServer::Receive(Connection& connection) {
  std::uint8_t chunk[kReceiveChunk];
  const ssize_t count = recv(connection.fd, chunk, sizeof chunk, 0);
  if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
  if (count <= 0) {
    Drop(connection);
    return;
  }
  // A stalled connection is still read, so that its end is seen.
  if (connection.stalled) return;
  connection.input.insert(connection.input.end(), chunk, chunk + count);
  const LoopbackSession::Outcome outcome =
      connection.session.Take(connection.input, connection.output);
  connection.stalled = outcome == LoopbackSession::Outcome::Stall;
  if (outcome == LoopbackSession::Outcome::End) {
    Send(connection);  // the answers before the end, as far as they go now
    Drop(connection);
  }
}

void LoopbackServer::Send(Connection& connection) {
  if (connection.fd < 0 || connection.output.empty()) return;
  const ssize_t sent =
      send(connection.fd, connection.output.data(), connection.output.size(), MSG_NOSIGNAL);
  if (sent < 0) {
    if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) Drop(connection);
    return;
  }
  connection.output.erase(connection.output.begin(), connection.output.begin() + sent);
}

void LoopbackServer::Drop(Connection& connection) {
  CloseFd(connection.fd);
  connection.input.clear();
  connection.output.clear();
  connection.stalled = false;
}

}  // namespace kvsim
