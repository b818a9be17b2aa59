// SPDX-License-Identifier: GPL-3.0-or-later
#include "listener.h"

#include <mstcpip.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "session.h"

namespace kvbridge {
namespace {

bool Allowed(const Options& options, Ipv4 client) {
  return std::any_of(options.allowed.begin(), options.allowed.end(),
                     [client](const Network& network) { return network.Contains(client); });
}

// Answers are small and each is awaited: no waiting to fill a segment. A
// client PC that vanishes (switched off, cable pulled) would hold the bridge
// for good; keep-alive probes find it gone within half a minute.
void Tune(SOCKET client) {
  const BOOL on = TRUE;
  setsockopt(client, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
  tcp_keepalive probes{1, 10000, 2000};  // on, after 10 s idle, every 2 s
  DWORD returned = 0;
  WSAIoctl(client, SIO_KEEPALIVE_VALS, &probes, sizeof probes, nullptr, 0, &returned, nullptr,
           nullptr);
}

void Log(const std::string& line) {
  (void)std::fprintf(stderr, "kv-usb-bridge: %s\n", line.c_str());
  (void)std::fflush(stderr);
}

}  // namespace

Listener::~Listener() {
  if (socket_ != INVALID_SOCKET) closesocket(socket_);
}

int Listener::Listen(const Options& options) {
  socket_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(options.port);
  address.sin_addr.s_addr = htonl(options.address);
  int length = sizeof address;
  // Another program may not take over the bridge's port (Windows lets it by default).
  const BOOL exclusive = TRUE;
  const bool ok = socket_ != INVALID_SOCKET &&
                  setsockopt(socket_, SOL_SOCKET, SO_EXCLUSIVEADDRUSE,
                             reinterpret_cast<const char*>(&exclusive), sizeof exclusive) == 0 &&
                  bind(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
                  listen(socket_, 4) == 0 &&
                  getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) == 0;
  if (!ok) return WSAGetLastError();
  port_ = ntohs(address.sin_port);
  return 0;
}

void Listener::Run(kv::Transport& driver, const Options& options) {
  while (true) {
    sockaddr_in peer{};
    int length = sizeof peer;
    const SOCKET client = accept(socket_, reinterpret_cast<sockaddr*>(&peer), &length);
    if (client == INVALID_SOCKET) continue;  // the client gave up already
    const Ipv4 address = ntohl(peer.sin_addr.s_addr);
    const std::string name = Ipv4Text(address) + ':' + std::to_string(ntohs(peer.sin_port));
    if (!Allowed(options, address)) {
      Log("refused " + name + ": not in the allow list");
      closesocket(client);
      continue;
    }
    Log("serving " + name);
    Tune(client);
    Serve(client, driver, options.log);
    closesocket(client);
    Log("ended " + name);
  }
}

}  // namespace kvbridge
