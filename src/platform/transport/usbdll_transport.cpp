// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/transport/usbdll_transport.h"

#include <algorithm>
#include <string>

namespace kv {
namespace {

constexpr const char* kLibraryName = "USBDLL.dll";

// The path as UTF-8, which never fails, unlike the conversion to the ANSI code page.
std::string Text(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

}  // namespace

std::filesystem::path UsbDllTransport::DefaultLibrary() {
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = 0;
  // A program folder deeper than MAX_PATH: the buffer grows until it fits.
  while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
         path.size()) {
    path.resize(path.size() * 2);
  }
  path.resize(length);
  return std::filesystem::path(path).parent_path() / kLibraryName;
}

UsbDllTransport::UsbDllTransport(const std::filesystem::path& library) : loaded_(Load(library)) {}

UsbDllTransport::~UsbDllTransport() {
  if (module_) FreeLibrary(module_);
}

Status UsbDllTransport::Load(const std::filesystem::path& library) {
  // The library's own dependencies are looked for beside it, not beside us.
  module_ = LoadLibraryExW(library.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!module_) {
    return Status::Error(StatusCode::kOffline, "The USB driver library " + Text(library) +
                                                   " cannot be loaded (error " +
                                                   std::to_string(GetLastError()) + ").");
  }
  for (Status resolved : {Resolve("_USBOpen@4", open_), Resolve("_USBClose@0", close_),
                          Resolve("_USBWrite@12", write_), Resolve("_USBRead@12", read_)}) {
    if (!resolved.ok()) {
      return Status::Error(StatusCode::kOffline, "The USB driver library " + Text(library) + " " +
                                                     resolved.description());
    }
  }
  return Status::Ok();
}

template <typename Call>
Status UsbDllTransport::Resolve(const char* name, Call& call) {
  const FARPROC found = GetProcAddress(module_, name);
  if (!found) {
    return Status::Error(StatusCode::kOffline, std::string("lacks the call ") + name + ".");
  }
  // Through the generic function type, which any function pointer converts to and back.
  call = reinterpret_cast<Call>(reinterpret_cast<void (*)()>(found));
  return Status::Ok();
}

int UsbDllTransport::open(std::string_view device) {
  if (!Usable()) return 1;
  // The name, its NUL, and the terminating NUL of an ANSI string.
  const std::string name = std::string(device.substr(0, device.find('\0'))) + '\0';
  return open_(name.c_str());
}

void UsbDllTransport::close() {
  if (Usable()) close_();
}

int UsbDllTransport::write(std::span<const std::uint8_t> frame) {
  if (!Usable()) return kLinkFailed;
  const auto size = static_cast<std::int32_t>(frame.size());
  std::int32_t written = 0;
  write_(frame.data(), size, &written);
  return std::clamp(written, 0, size);
}

int UsbDllTransport::read(std::span<std::uint8_t> reply) {
  if (!Usable()) return kLinkFailed;
  const auto size = static_cast<std::int32_t>(reply.size());
  // A library that reports no count has delivered nothing.
  std::int32_t count = 0;
  read_(reply.data(), size, &count);
  return std::clamp(count, 0, size);
}

}  // namespace kv
