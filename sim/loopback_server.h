// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

#include "sim/controller.h"

namespace kvsim {

// Serves the loopback protocol (see LoopbackSession) on 127.0.0.1, one
// connection at a time. A bad opcode, a link the controller closed or a lost
// connection ends that connection and the server accepts the next; the
// controller's state persists. A stalled controller leaves its connection open
// and silent until the client ends it.
class LoopbackServer {
 public:
  // `controller` must outlive the server.
  explicit LoopbackServer(Controller& controller);
  ~LoopbackServer();  // stops
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  // Binds 127.0.0.1 only; port 0 picks a free port. False on failure, with
  // errno telling why.
  bool Listen(std::uint16_t port);
  std::uint16_t Port() const { return port_; }

  // Serves on a background thread (for tests).
  void Start();
  // Ends serving and waits for the background thread. A stopped server does
  // not serve again.
  void Stop();
  // Asks the serving loop to end and returns at once; async-signal-safe, for
  // signal handlers.
  void Interrupt();

  // Serves in the calling thread until stopped. With `poll_stdin`, standard
  // input is watched too: the callback is called whenever it is readable
  // (or at its end) and returns false once standard input is finished.
  void Serve(const std::function<bool()>& poll_stdin = {});

 private:
  struct Connection;

  void Accept(Connection& connection);
  void Receive(Connection& connection);
  void Send(Connection& connection);
  static void Drop(Connection& connection);

  Controller& controller_;
  int listenFd_ = -1;
  int wakeFds_[2] = {-1, -1};  // Interrupt() writes a byte to wake poll()
  std::uint16_t port_ = 0;
  std::atomic<bool> stopping_{false};
  std::thread thread_;
};

}  // namespace kvsim
