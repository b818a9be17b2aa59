// SPDX-License-Identifier: GPL-3.0-or-later
#include "loopback_client.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>

namespace kvsim::test {

std::vector<std::uint8_t> Message(char opcode, std::int32_t number,
                                  std::span<const std::uint8_t> payload) {
  std::vector<std::uint8_t> message = {static_cast<std::uint8_t>(opcode)};
  const auto bits = static_cast<std::uint32_t>(number);
  for (int i = 0; i < 4; ++i) message.push_back(static_cast<std::uint8_t>(bits >> 8 * i));
  message.insert(message.end(), payload.begin(), payload.end());
  return message;
}

LoopbackClient::LoopbackClient(std::uint16_t port) {
  fd_ = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const timeval timeout{5, 0};
  if (fd_ >= 0 &&
      (setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout) != 0 ||
       connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)) {
    close(fd_);
    fd_ = -1;
  }
}

LoopbackClient::~LoopbackClient() {
  if (fd_ >= 0) close(fd_);
}

std::int32_t LoopbackClient::Open(std::string_view name) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(name.data());
  Send(Message('O', static_cast<std::int32_t>(name.size()), {bytes, name.size()}));
  return ReceiveNumber().value_or(-1);
}

std::int32_t LoopbackClient::Write(std::span<const std::uint8_t> frame) {
  Send(Message('W', static_cast<std::int32_t>(frame.size()), frame));
  return ReceiveNumber().value_or(-1);
}

std::int32_t LoopbackClient::Close() {
  const std::uint8_t opcode = 'C';
  Send({&opcode, 1});
  return ReceiveNumber().value_or(-1);
}

std::optional<std::vector<std::uint8_t>> LoopbackClient::Read(std::int32_t count) {
  Send(Message('R', count));
  const std::optional<std::int32_t> length = ReceiveNumber();
  if (!length || *length < 0 || *length > count) return std::nullopt;
  return Receive(static_cast<std::size_t>(*length));
}

void LoopbackClient::Send(std::span<const std::uint8_t> bytes) {
  std::size_t sent = 0;
  while (fd_ >= 0 && sent < bytes.size()) {
    const ssize_t count = send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (count <= 0) return;
    sent += static_cast<std::size_t>(count);
  }
}

std::optional<std::int32_t> LoopbackClient::ReceiveNumber() {
  const auto bytes = Receive(4);
  if (!bytes) return std::nullopt;
  std::uint32_t bits = 0;
  for (int i = 3; i >= 0; --i) bits = bits << 8 | (*bytes)[static_cast<std::size_t>(i)];
  return static_cast<std::int32_t>(bits);
}

std::optional<std::vector<std::uint8_t>> LoopbackClient::Receive(std::size_t count) {
  std::vector<std::uint8_t> bytes(count);
  std::size_t got = 0;
  while (got < count) {
    const ssize_t n = recv(fd_, bytes.data() + got, count - got, 0);
    if (n <= 0) return std::nullopt;
    got += static_cast<std::size_t>(n);
  }
  return bytes;
}

bool LoopbackClient::EndedByServer() {
  std::uint8_t byte = 0;
  const ssize_t count = recv(fd_, &byte, 1, 0);
  // A reset is an end too: the server may close before the last bytes arrived.
  return count == 0 || (count < 0 && errno == ECONNRESET);
}

}  // namespace kvsim::test
