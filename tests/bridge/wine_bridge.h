// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"

namespace kvtest {

// The 64-bit Windows build (scripts/build-windows.sh) and Wine to run it:
// kv-usb-bridge with the stand-in USBDLL.dll beside it.
class WineBridge {
 public:
  // Why the bridge cannot run here, or none when it can.
  static std::optional<std::string> Missing() {
    if (Wine().empty()) return "wine64 is not installed";
    if (!std::filesystem::exists(Program())) {
      return Program().string() + " is not built (scripts/build-windows.sh)";
    }
    return std::nullopt;
  }

  static std::filesystem::path Program() {
    return std::filesystem::path(KV_WINDOWS_BIN) / "kv-usb-bridge.exe";
  }

  // Starts Wine's server for a minute beyond its last program, and makes the
  // prefix if there is none yet (slow), with no test's pipes open in either:
  // the programs of a test then start in a moment and end with the test.
  static void PrepareWine() {
    (void)std::system(
        (Environment() + "'" + Server() + "' -p60 </dev/null >/dev/null 2>&1").c_str());
    if (!std::filesystem::exists(std::filesystem::path(Prefix()) / "drive_c" / "windows")) {
      (void)std::system(
          (Environment() + "'" + Wine() + "' wineboot -i </dev/null >/dev/null 2>&1").c_str());
    }
  }

  // Ends Wine's server and its programs: the next one starts afresh, with
  // this process's CPU affinity.
  static void StopWine() {
    (void)std::system((Environment() + "'" + Server() + "' -k </dev/null >/dev/null 2>&1").c_str());
  }

  // `program` (a Windows .exe) under Wine with `arguments`; `environment`
  // adds variables as ChildProcess does.
  static std::unique_ptr<ChildProcess> Run(const std::filesystem::path& program,
                                           std::vector<std::string> arguments,
                                           std::vector<std::string> environment = {}) {
    arguments.insert(arguments.begin(), program.string());
    environment.insert(environment.end(), {"WINEPREFIX=" + Prefix(), "WINEDEBUG=-all"});
    return std::make_unique<ChildProcess>(Wine(), arguments, environment);
  }

  // The bridge on a free loopback port with `arguments` besides --listen.
  explicit WineBridge(std::vector<std::string> arguments = {},
                      std::vector<std::string> environment = {}) {
    arguments.insert(arguments.begin(), {"--listen", "127.0.0.1:0"});
    process = Run(Program(), arguments, environment);
    std::string line = process->ReadLine().value_or("");
    if (!line.empty() && line.back() == '\r') line.pop_back();  // a Windows line end
    if (line.starts_with("listening on ")) port = line.substr(13);
  }

  std::string Address() const { return "127.0.0.1:" + port; }

  std::unique_ptr<ChildProcess> process;
  std::string port;  // empty when it did not start

 private:
  static std::string Prefix() { return std::string(KV_WINDOWS_BIN) + "/../wine"; }

  // No Mono or Gecko: nothing here needs them, and Wine would ask for them.
  static std::string Environment() {
    return "WINEPREFIX='" + Prefix() + "' WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' ";
  }

  static std::string Server() {
    return (std::filesystem::path(Wine()).parent_path() / "wineserver").string();
  }

  // wine64 on the PATH, or where Debian's package puts it.
  static std::string Wine() {
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "";
    folders += ":/usr/lib/wine";
    for (std::size_t start = 0; start <= folders.size();) {
      const std::size_t end = std::min(folders.find(':', start), folders.size());
      const std::filesystem::path candidate =
          std::filesystem::path(folders.substr(start, end - start)) / "wine64";
      if (end > start && std::filesystem::exists(candidate)) return candidate.string();
      start = end + 1;
    }
    return {};
  }
};

}  // namespace kvtest
