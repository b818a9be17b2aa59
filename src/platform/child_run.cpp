// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/child_run.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>

namespace kv {
namespace {

// The address space the process holds now: a limit on top of it also works in
// a sanitized build, which reserves terabytes for its shadow memory.
std::size_t AddressSpaceInUse() {
  std::size_t pages = 0;
  std::ifstream("/proc/self/statm") >> pages;
  return pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

[[noreturn]] void RunAndExit(const std::function<std::string()>& work, const ChildLimits& limits,
                             int output) {
  // A crash ends the child at once: no handler of this process's runs in it,
  // and neither a crash report nor a core file of a damaged input is wanted.
  for (int signal : {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT}) (void)::signal(signal, SIG_DFL);
  const int null = ::open("/dev/null", O_WRONLY);
  if (null >= 0) ::dup2(null, STDERR_FILENO);
  const rlimit noCore{0, 0};
  ::setrlimit(RLIMIT_CORE, &noCore);
  const rlim_t memory = AddressSpaceInUse() + limits.memoryBytes;
  const rlimit addressSpace{memory, memory};
  ::setrlimit(RLIMIT_AS, &addressSpace);
  (void)::signal(SIGALRM, SIG_DFL);
  ::alarm(static_cast<unsigned>(limits.time.count()));
  try {
    const std::string bytes = work();
    for (std::size_t done = 0; done < bytes.size();) {
      const ssize_t n = ::write(output, bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) ::_exit(1);
      done += static_cast<std::size_t>(n);
    }
  } catch (...) {
    ::_exit(1);  // out of memory under the limit, most likely
  }
  ::_exit(0);
}

// Reads until the child closes its end; false when it hands back too much.
bool ReadAll(int input, std::size_t limit, std::string& bytes) {
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(input, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return true;
    if (bytes.size() + static_cast<std::size_t>(n) > limit) return false;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
}

Status HowItEnded(int waitStatus, const ChildLimits& limits) {
  if (WIFEXITED(waitStatus)) {
    return Status::Error(StatusCode::kBadFile, "reading it failed (exit status " +
                                                   std::to_string(WEXITSTATUS(waitStatus)) + ").");
  }
  const int signal = WIFSIGNALED(waitStatus) ? WTERMSIG(waitStatus) : 0;
  if (signal == SIGALRM) {
    return Status::Error(StatusCode::kBadFile, "reading it took longer than " +
                                                   std::to_string(limits.time.count()) + " s.");
  }
  return Status::Error(
      StatusCode::kBadFile,
      "reading it crashed (signal " + std::to_string(signal) + ", " + ::strsignal(signal) + ").");
}

}  // namespace

Result<std::string> RunInChild(const std::function<std::string()>& work,
                               const ChildLimits& limits) {
  int pipeEnds[2];
  if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
    return Status::Error(StatusCode::kFailed,
                         std::string("Cannot start a reader: ") + std::strerror(errno) + ".");
  }
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeEnds[0]);
    RunAndExit(work, limits, pipeEnds[1]);
  }
  ::close(pipeEnds[1]);
  if (child < 0) {
    ::close(pipeEnds[0]);
    return Status::Error(StatusCode::kFailed,
                         std::string("Cannot start a reader: ") + std::strerror(errno) + ".");
  }
  std::string bytes;
  const bool whole = ReadAll(pipeEnds[0], limits.outputBytes, bytes);
  ::close(pipeEnds[0]);
  if (!whole) ::kill(child, SIGKILL);
  int waitStatus = 0;
  while (::waitpid(child, &waitStatus, 0) < 0 && errno == EINTR) {
  }
  if (!whole) {
    return Status::Error(StatusCode::kBadFile, "reading it gave more than " +
                                                   std::to_string(limits.outputBytes) + " bytes.");
  }
  if (WIFEXITED(waitStatus) && WEXITSTATUS(waitStatus) == 0) return bytes;
  return HowItEnded(waitStatus, limits);
}

}  // namespace kv
