// SPDX-License-Identifier: GPL-3.0-or-later
// kv-usb-bridge under Wine with the stand-in USBDLL.dll: kvcom on Linux reads
// through it, foreign clients are refused, and a missing library or call
// stops it at start.
#include <gtest/gtest.h>

#include <charconv>
#include <csignal>
#include <span>
#include <tuple>

#include "platform/transport/tcp_transport.h"
#include "sim/controller.h"
#include "temp_folder.h"
#include "wine_bridge.h"

namespace {

using namespace std::chrono_literals;

constexpr std::uint8_t kStatusRequest[64] = {0xFF, 0, 4, 0, 0x20, 0, 0x40, 0x24};

const std::vector<std::string> kResultFiles = {"Parameter.csv", "Condition.csv", "Evaluation.csv",
                                               "Graph_BAC.Csv", "Graph_ADC.Csv"};

struct BridgeTest : ::testing::Test {
  static void SetUpTestSuite() {
    if (!kvtest::WineBridge::Missing()) kvtest::WineBridge::PrepareWine();
  }
  void SetUp() override {
    if (auto missing = kvtest::WineBridge::Missing()) GTEST_SKIP() << *missing;
  }

  // kvcom --read-all against `device` into a drive of its own; its result files.
  static std::vector<std::string> ReadAll(const std::string& device) {
    kvtest::TempFolder drive;
    kvtest::ChildProcess kvcom(KVCOM_PATH, {"--read-all"},
                               {"KV_DRIVE_C=" + drive.path().string(), "KV_USB=" + device,
                                "KV_BATCH=1", "QT_QPA_PLATFORM=offscreen"});
    EXPECT_EQ(kvcom.Wait(), 0) << kvcom.ErrorOutput();
    std::vector<std::string> files;
    for (const auto& name : kResultFiles) {
      files.push_back(kvtest::ReadBytes(drive.path() / "Tarnwick Corvanet" / "KV-730" / name));
    }
    return files;
  }

  // The in-process simulator's generated profile as a profile file. MinGW's
  // sin, cos and log differ from glibc's in the last bit now and then, so the
  // stand-in takes the profile from here instead of generating its own.
  static std::string ProfileOption(const kvtest::TempFolder& folder) {
    const kvsim::Controller simulator;
    std::string text;
    for (const double value : simulator.measurement().measured) {
      char number[32];
      text.append(number, std::to_chars(number, number + sizeof number, value).ptr);
      text += '\n';
    }
    kvtest::WriteBytes(folder.path() / "profile.txt", text);
    return "KV_STANDIN_OPTIONS=--profile " + (folder.path() / "profile.txt").string();
  }
};

// A client that leaves in the middle of a transaction leaves the bridge
// ready; the read behind it gives the in-process simulator's files exactly.
TEST_F(BridgeTest, KvcomReadsThroughTheBridgeWhatItReadsInProcess) {
  kvtest::TempFolder folder;
  kvtest::WineBridge bridge({}, {ProfileOption(folder)});
  ASSERT_FALSE(bridge.port.empty()) << "the bridge did not start";
  {
    kv::TcpTransport leaving(bridge.Address());
    ASSERT_EQ(leaving.open("Corvanet_KV"), 0);
    ASSERT_EQ(leaving.write(kStatusRequest), 64);
  }
  const std::vector<std::string> bridged = ReadAll("tcp:" + bridge.Address());
  const std::vector<std::string> inProcess = ReadAll("sim");
  for (std::size_t i = 0; i < kResultFiles.size(); ++i) {
    EXPECT_FALSE(bridged[i].empty()) << kResultFiles[i];
    EXPECT_TRUE(bridged[i] == inProcess[i]) << kResultFiles[i] << " differs";
  }
}

// The text of `bytes` as the log shows it: " FF 00 ...".
std::string Hex(std::span<const std::uint8_t> bytes) {
  std::string text;
  for (const std::uint8_t byte : bytes) {
    const char* digits = "0123456789ABCDEF";
    text += {' ', digits[byte >> 4], digits[byte & 15]};
  }
  return text;
}

TEST_F(BridgeTest, TheLogShowsEachConnectionAndFrame) {
  kvtest::WineBridge bridge({"--log"});
  ASSERT_FALSE(bridge.port.empty()) << "the bridge did not start";
  kv::TcpTransport client(bridge.Address());
  ASSERT_EQ(client.open("Corvanet_KV"), 0);
  client.write(kStatusRequest);
  std::uint8_t reply[64] = {};
  ASSERT_EQ(client.read(reply), 64);
  client.close();
  bridge.process->Signal(SIGKILL);
  bridge.process->Wait();
  std::string log = bridge.process->ErrorOutput();
  std::erase(log, '\r');
  EXPECT_TRUE(log.starts_with("kv-usb-bridge: serving 127.0.0.1:")) << log;
  EXPECT_NE(log.find("\n>" + Hex(kStatusRequest) + "\n<" + Hex(reply) + "\n"), std::string::npos)
      << log;
}

TEST_F(BridgeTest, OnlyClientsOnTheAllowListAreServed) {
  const std::tuple<const char*, bool> cases[] = {
      {"127.0.0.1", true}, {"10.0.0.0/8", false}, {"192.168.1.0/24,127.0.0.0/8", true}};
  for (const auto& [allow, served] : cases) {
    kvtest::WineBridge bridge({"--allow", allow});
    ASSERT_FALSE(bridge.port.empty()) << allow;
    kv::TcpTransport client(bridge.Address(), 2000ms);
    EXPECT_EQ(client.open("Corvanet_KV") == 0, served) << allow;
    client.close();
    bridge.process->Signal(SIGKILL);
    bridge.process->Wait();
    const std::string log = bridge.process->ErrorOutput();
    EXPECT_EQ(log.find("refused 127.0.0.1:") != std::string::npos, !served) << allow << log;
  }
}

// The bridge copied into a folder with the given library, or with none.
TEST_F(BridgeTest, AMissingLibraryOrCallStopsTheBridgeAndSaysWhy) {
  const std::tuple<const char*, const char*> cases[] = {
      {nullptr, "USBDLL.dll cannot be loaded"},
      {"no-read/USBDLL.dll", "USBDLL.dll lacks the call _USBRead@12."}};
  for (const auto& [library, message] : cases) {
    kvtest::TempFolder folder;
    const std::filesystem::path program = folder.path() / "kv-usb-bridge.exe";
    std::filesystem::copy_file(kvtest::WineBridge::Program(), program);
    if (library) {
      std::filesystem::copy_file(std::filesystem::path(KV_WINDOWS_BIN) / library,
                                 folder.path() / "USBDLL.dll");
    }
    auto bridge = kvtest::WineBridge::Run(program, {"--listen", "127.0.0.1:0"});
    EXPECT_EQ(bridge->Wait(), 1) << message;
    const std::string errors = bridge->ErrorOutput();
    EXPECT_NE(errors.find(message), std::string::npos) << errors;
  }
}

}  // namespace
