// SPDX-License-Identifier: GPL-3.0-or-later
#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kvtest {
namespace {

constexpr int kWaitMilliseconds = 5000;

enum class Got { Some, End, Nothing };

// Reads whatever `fd` has within the wait.
Got ReadSome(int fd, std::string& into) {
  pollfd entry{fd, POLLIN, 0};
  if (poll(&entry, 1, kWaitMilliseconds) <= 0) return Got::Nothing;
  char chunk[4096];
  const ssize_t count = read(fd, chunk, sizeof chunk);
  if (count < 0) return Got::Nothing;
  if (count == 0) return Got::End;
  into.append(chunk, static_cast<std::size_t>(count));
  return Got::Some;
}

void CloseFd(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

// This process's environment with `extra` added; a name in `extra` wins.
std::vector<std::string> Environment(const std::vector<std::string>& extra) {
  std::vector<std::string> variables(extra);
  for (char** variable = environ; *variable; ++variable) {
    std::string text = *variable;
    std::string name = text.substr(0, text.find('=') + 1);
    bool replaced = false;
    for (const auto& added : extra) replaced = replaced || added.starts_with(name);
    if (!replaced) variables.push_back(text);
  }
  return variables;
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment) {
  // Pipe ends are closed in the child unless dup2'ed onto a standard stream.
  int input[2], output[2], error[2];
  for (int* fds : {input, output, error}) {
    if (pipe2(fds, O_CLOEXEC) != 0) return;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, error[1], STDERR_FILENO);
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  std::vector<std::string> variables = Environment(environment);
  std::vector<char*> envp;
  for (std::string& variable : variables) envp.push_back(variable.data());
  envp.push_back(nullptr);
  if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) {
    pid_ = -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  close(input[0]);
  close(output[1]);
  close(error[1]);
  input_ = input[1];
  output_ = output[0];
  error_ = error[0];
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  CloseFd(input_);
  CloseFd(output_);
  CloseFd(error_);
}

std::optional<std::string> ChildProcess::ReadLine() {
  std::size_t end;
  while ((end = pendingOutput_.find('\n')) == std::string::npos) {
    if (ReadSome(output_, pendingOutput_) != Got::Some) return std::nullopt;
  }
  std::string line = pendingOutput_.substr(0, end);
  pendingOutput_.erase(0, end + 1);
  return line;
}

void ChildProcess::WriteInput(const std::string& text) {
  if (input_ >= 0) {
    [[maybe_unused]] const ssize_t written = write(input_, text.data(), text.size());
  }
}

void ChildProcess::CloseInput() {
  CloseFd(input_);
}

void ChildProcess::Signal(int signal) {
  if (pid_ > 0) kill(pid_, signal);
}

std::optional<int> ChildProcess::Wait() {
  // The child's end closes its standard output; only then is waiting safe.
  std::string rest;
  Got got;
  while ((got = ReadSome(output_, rest)) == Got::Some) {
  }
  int status = 0;
  if (got != Got::End || pid_ <= 0 || waitpid(pid_, &status, 0) != pid_) return std::nullopt;
  pid_ = -1;
  if (!WIFEXITED(status)) return std::nullopt;
  return WEXITSTATUS(status);
}

std::string ChildProcess::ErrorOutput() {
  std::string text;
  while (ReadSome(error_, text) == Got::Some) {
  }
  return text;
}

}  // namespace kvtest
