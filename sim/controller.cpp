// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/controller.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

#include "sim/reply_bytes.h"

namespace kvsim {
namespace {

constexpr std::size_t kReplyLength = 64;
constexpr std::size_t kLongReplyLength = 512;
constexpr std::size_t kProfileReplyLength = 320;
constexpr std::size_t kMaxVersionText = kReplyLength - 12;
constexpr std::uint8_t kPrintKeyPressed = 16;

// Controller addresses the memory read knows.
constexpr std::uint32_t kLanguageAddress = 0x0802E5D8;
constexpr std::uint32_t kUnitAddress = 0x0802E5D6;
constexpr std::uint32_t kEvaluationFlagAddress = 0x08005DA8;

std::size_t ReplyLength(RequestKind kind) {
  switch (kind) {
    case RequestKind::Settings:
    case RequestKind::EvaluationSize:
    case RequestKind::EvaluationBlock:
    case RequestKind::GraphSize:
    case RequestKind::GraphBlock:
    case RequestKind::CardBlock:
      return kLongReplyLength;
    case RequestKind::MeasuredProfile:
      return kProfileReplyLength;
    case RequestKind::ParameterRecord:
      return 12;  // the text follows
    case RequestKind::CardEntry:
      return 24;  // the text follows
    default:
      return kReplyLength;
  }
}

// 0-7: the request's header, with 2-3 = reply length - 4.
std::vector<std::uint8_t> ReplyFrame(std::span<const std::uint8_t> frame, std::size_t length) {
  std::vector<std::uint8_t> reply(length, 0);
  std::copy_n(frame.begin(), 8, reply.begin());
  PutLe(reply, 2, static_cast<std::uint32_t>(length - 4), 2);
  return reply;
}

std::uint8_t MemoryValue(const Config& config, std::uint32_t address) {
  switch (address) {
    case kLanguageAddress:
      return config.language;
    case kUnitAddress:
      return config.unit;
    case kEvaluationFlagAddress:
      return config.evaluationFlag;
    default:
      return 0;
  }
}

// The 512-byte settings reply of 0x7001: 124-207 the measuring conditions of
// the asked evaluation set, 208-210 the settings.
void FillSettings(std::vector<std::uint8_t>& reply, const Config& config,
                  const Conditions& conditions) {
  PutConditions(reply, conditions);
  reply[208] = config.unit;
  reply[209] = config.language;
  reply[210] = config.evaluationFlag;
}

// The reply as the configured fault lets it through.
int Copy(const Config& config, std::span<const std::uint8_t> reply, std::span<std::uint8_t> out) {
  if (config.fault == Fault::NoAnswer) return 0;
  std::size_t count = std::min(reply.size(), out.size());
  if (config.fault == Fault::ShortAnswer) count = std::min(count, config.shortLength);
  std::copy_n(reply.begin(), count, out.begin());
  return static_cast<int>(count);
}

}  // namespace

Controller::Controller(Config config)
    : config_(std::move(config)), measurementReplies_(config_), card_(config_) {}

int Controller::Open(std::string_view deviceName) {
  const std::scoped_lock lock(mutex_);
  open_ = deviceName.substr(0, deviceName.find('\0')) == "Corvanet_KV";
  linkClosed_ = false;
  replies_ = 0;
  return open_ ? 0 : 1;
}

void Controller::Close() {
  const std::scoped_lock lock(mutex_);
  open_ = false;
  reply_.clear();
}

int Controller::Write(std::span<const std::uint8_t> frame) {
  const std::scoped_lock lock(mutex_);
  if (requests_.size() == kMaxKeptRequests) requests_.pop_front();
  requests_.emplace_back(frame.begin(), frame.end());
  reply_.clear();
  const ParsedRequest parsed = Parse(frame);
  Log(frame, parsed);
  if (linkClosed_) return -1;
  if (!open_) return 0;
  if (parsed.request) reply_ = Reply(*parsed.request, frame);
  return static_cast<int>(frame.size());
}

Controller::Delivery Controller::Deliver(std::span<std::uint8_t> out) {
  const std::scoped_lock lock(mutex_);
  const std::vector<std::uint8_t> reply = std::exchange(reply_, {});
  if (linkClosed_) return {.count = -1, .link = Link::Closed};
  if (!open_) return {};
  const std::size_t number = ++replies_;
  if (config_.stallAt && number >= *config_.stallAt) return {.link = Link::Stalled};
  linkClosed_ = number == config_.dropAfter;
  return {.count = number == config_.zeroReplyAt ? 0 : Copy(config_, reply, out),
          .delay = std::chrono::milliseconds(config_.replyDelayMs),
          .link = linkClosed_ ? Link::Closed : Link::Up};
}

void Controller::PressPrintKey() {
  const std::scoped_lock lock(mutex_);
  printKeyPressed_ = true;
}

std::vector<std::vector<std::uint8_t>> Controller::Requests() const {
  const std::scoped_lock lock(mutex_);
  return {requests_.begin(), requests_.end()};
}

std::uint8_t Controller::OutputMode() const {
  const std::scoped_lock lock(mutex_);
  return outputMode_;
}

Config Controller::GetConfig() const {
  const std::scoped_lock lock(mutex_);
  return config_;
}

void Controller::SetConfig(Config config) {
  MeasurementReplies measurementReplies(config);  // made outside the lock: it takes a while
  CfCard card(config);
  const std::scoped_lock lock(mutex_);
  config_ = std::move(config);
  measurementReplies_ = std::move(measurementReplies);
  card_ = std::move(card);
  statusIndex_ = 0;
}

const Measurement& Controller::measurement() const {
  const std::scoped_lock lock(mutex_);
  return measurementReplies_.measurement();
}

ParsedRequest Controller::Parse(std::span<const std::uint8_t> frame) {
  if (linkClosed_) return {std::nullopt, "link closed"};
  if (!open_) return {std::nullopt, "device not open"};
  ParsedRequest parsed = ParseRequest(frame);
  if (!parsed.request) return parsed;
  std::string problem = card_.Accept(*parsed.request);
  if (!problem.empty()) return {std::nullopt, std::move(problem)};
  return parsed;
}

std::vector<std::uint8_t> Controller::Reply(const Request& request,
                                            std::span<const std::uint8_t> frame) {
  std::vector<std::uint8_t> reply = ReplyFrame(frame, ReplyLength(request.kind));
  switch (request.kind) {
    case RequestKind::Version: {
      // 12..: the version text, NUL after it.
      const std::size_t length = std::min(config_.version.size(), kMaxVersionText);
      std::copy_n(config_.version.begin(), length, reply.begin() + 12);
      break;
    }
    case RequestKind::MemoryRead:
      reply[20] = MemoryValue(config_, request.value);  // 20: the byte at the address
      break;
    case RequestKind::Status:
      PutLe(reply, 8, NextStatus(), 2);  // 8-9: status word
      break;
    case RequestKind::StatusControl:
      PutLe(reply, 8, request.value, 4);  // 8-11: the value set
      break;
    case RequestKind::PrintKey:
      if (++printKeyPolls_ == config_.printKeyAfter) printKeyPressed_ = true;
      PutLe(reply, 8, std::exchange(printKeyPressed_, false) ? kPrintKeyPressed : 0, 4);
      break;
    case RequestKind::OutputMode:
      outputMode_ = static_cast<std::uint8_t>(request.value);
      break;
    case RequestKind::MeasurementStart:
      break;
    case RequestKind::Settings:
      FillSettings(reply, config_, measurementReplies_.measurement().sets[request.set].conditions);
      break;
    case RequestKind::CardCount:
    case RequestKind::CardEntry:
    case RequestKind::CardSize:
    case RequestKind::CardBlock:
      if (!card_.Fill(request, reply)) return {};
      break;
    default:
      if (!measurementReplies_.Fill(request, reply)) return {};
      break;
  }
  return reply;
}

std::uint16_t Controller::NextStatus() {
  if (config_.statuses.empty()) return 0;
  const std::uint16_t status = config_.statuses[statusIndex_];
  if (statusIndex_ + 1 < config_.statuses.size()) ++statusIndex_;
  return status;
}

// "> FF 00 ..." per request; "! no reply: why" after a rejected one.
void Controller::Log(std::span<const std::uint8_t> frame, const ParsedRequest& parsed) const {
  if (!config_.log) return;
  std::string line = ">";
  for (const std::uint8_t byte : frame) {
    char pair[4];
    (void)std::snprintf(pair, sizeof pair, " %02X", byte);
    line += pair;
  }
  line += '\n';
  if (!parsed.request) line += "! no reply: " + parsed.problem + '\n';
  (void)std::fputs(line.c_str(), stderr);
}

}  // namespace kvsim
