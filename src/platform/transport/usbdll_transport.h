// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Windows only: the controller's own driver library.
#include <windows.h>

#include <cstdint>
#include <filesystem>

#include "platform/status.h"
#include "platform/transport/transport.h"

namespace kv {

// The controller's USB driver library USBDLL.dll, loaded at construction and
// reached through its four exported calls (32-bit stdcall; the exports keep
// their decorated names "_USBOpen@4", "_USBClose@0", "_USBWrite@12" and
// "_USBRead@12", looked up by those names on both architectures). When the
// library or one of its calls is missing, loaded() says which, open() fails
// and the other calls do nothing.
class UsbDllTransport : public Transport {
 public:
  // USBDLL.dll in the folder of the running program.
  static std::filesystem::path DefaultLibrary();

  explicit UsbDllTransport(const std::filesystem::path& library = DefaultLibrary());
  ~UsbDllTransport() override;
  UsbDllTransport(const UsbDllTransport&) = delete;
  UsbDllTransport& operator=(const UsbDllTransport&) = delete;

  // Ok when the library and its four calls are there; otherwise why not.
  const Status& loaded() const { return loaded_; }

  int open(std::string_view device) override;
  void close() override;
  int write(std::span<const std::uint8_t> frame) override;
  int read(std::span<std::uint8_t> reply) override;

 private:
  using OpenCall = std::int32_t(WINAPI*)(const char* device);
  using CloseCall = std::int32_t(WINAPI*)();
  using WriteCall = std::int32_t(WINAPI*)(const std::uint8_t* bytes, std::int32_t count,
                                          std::int32_t* written);
  using ReadCall = std::int32_t(WINAPI*)(std::uint8_t* bytes, std::int32_t count,
                                         std::int32_t* read);

  Status Load(const std::filesystem::path& library);
  template <typename Call>
  Status Resolve(const char* name, Call& call);
  bool Usable() const { return loaded_.ok(); }

  HMODULE module_ = nullptr;
  OpenCall open_ = nullptr;
  CloseCall close_ = nullptr;
  WriteCall write_ = nullptr;
  ReadCall read_ = nullptr;
  Status loaded_;
};

}  // namespace kv
