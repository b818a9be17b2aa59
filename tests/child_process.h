// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace kvtest {

// A program run as a child process with its standard streams on pipes and
// `environment` ("NAME=value") added to this process's environment. Every
// wait gives up after a few seconds; a child still running at destruction is
// killed.
class ChildProcess {
 public:
  ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
               const std::vector<std::string>& environment = {});
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // The next line of standard output, without its line end.
  std::optional<std::string> ReadLine();
  void WriteInput(const std::string& text);
  void CloseInput();
  void Signal(int signal);
  // The exit code once the child has ended, none when it did not end normally.
  std::optional<int> Wait();
  // Standard error up to its end (call after Wait).
  std::string ErrorOutput();

 private:
  pid_t pid_ = -1;
  int input_ = -1;
  int output_ = -1;
  int error_ = -1;
  std::string pendingOutput_;
};

}  // namespace kvtest
