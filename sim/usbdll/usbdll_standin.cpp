// SPDX-License-Identifier: GPL-3.0-or-later
// The stand-in for the controller's driver library: the simulated controller
// behind USBOpen, USBClose, USBWrite and USBRead, for running kv-usb-bridge
// without an instrument.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "sim/controller.h"
#include "sim/options.h"

namespace {

// The default measurement, or as KV_STANDIN_OPTIONS sets it with kv730-sim's
// options separated by spaces (e.g. "--points 9601" for the benchmarks); an
// option text that does not parse leaves the default.
kvsim::Config StandInConfig() {
  const char* text = std::getenv("KV_STANDIN_OPTIONS");
  std::istringstream words(text ? text : "");
  const std::vector<std::string> options{std::istream_iterator<std::string>(words), {}};
  std::vector<const char*> arguments;
  for (const std::string& option : options) arguments.push_back(option.c_str());
  const kvsim::ParsedOptions parsed = kvsim::ParseOptions(arguments);
  return parsed.options ? parsed.options->config : kvsim::Config{};
}

kvsim::Controller& TheController() {
  static kvsim::Controller controller(StandInConfig());
  return controller;
}

std::size_t Size(std::int32_t count) {
  return count > 0 ? static_cast<std::size_t>(count) : 0;
}

}  // namespace

extern "C" {

std::int32_t WINAPI USBOpen(const char* device) {
  return TheController().Open(device);
}

std::int32_t WINAPI USBClose() {
  TheController().Close();
  return 0;
}

std::int32_t WINAPI USBWrite(const std::uint8_t* bytes, std::int32_t count, std::int32_t* written) {
  *written = TheController().Write(std::span(bytes, Size(count)));
  return 0;
}

std::int32_t WINAPI USBRead(std::uint8_t* bytes, std::int32_t count, std::int32_t* read) {
  *read = TheController().Read(std::span(bytes, Size(count)));
  return 0;
}

}  // extern "C"
