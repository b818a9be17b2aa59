// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace kv {

// What kind of failure a Status reports; callers branch on the code, people
// read the text.
enum class StatusCode {
  kOk,
  // The controller link.
  kNoReply,     // nothing came back in time
  kShortReply,  // fewer bytes than the reply must hold
  kLinkFailed,  // the link closed or failed
  kTimedOut,    // the job took longer than its bound
  kCancelled,   // stopped between two transactions: the program is closing
  kBadReply,    // a reply the controller cannot have meant
  // The controller's answers.
  kNotReady,                 // the controller status stays busy
  kNoData,                   // the controller has no measurement data
  kNoMeasuredProfile,        // the controller has no measured profile
  kNoGraphData,              // the controller has no values of a graph
  kControllerEvaluatesSetB,  // old firmware evaluates the set not selected
  kControllerEvaluatesSetA,
  kNoCardFiles,     // the CF card holds no data file that can be fetched
  kFileNotFetched,  // a CF card file could not be fetched
  kNoFileName,      // a picker entry without a file name
  // Files.
  kFileError,  // a file cannot be read or written
  kBadFile,    // a file's content is refused
  kNotADataFile,
  kNoResultSection,
  kNoDataSection,
  kConditionsNotConverted,
  // The program.
  kBusy,     // another job is still running
  kOffline,  // the job needs the controller, and there is none
  kAnotherInstance,
  kFailed,  // anything else
};

// Outcome of an operation: ok, or a code with a text a person can read.
class Status {
 public:
  static Status Ok() { return Status(); }
  static Status Error(StatusCode code, std::string text) { return Status(code, std::move(text)); }

  bool ok() const { return code_ == StatusCode::kOk; }
  StatusCode code() const { return code_; }
  const std::string& description() const { return text_; }

 private:
  Status() = default;
  Status(StatusCode code, std::string text)
      : code_(code == StatusCode::kOk ? StatusCode::kFailed : code),
        text_(text.empty() ? "Unknown error." : std::move(text)) {}
  StatusCode code_ = StatusCode::kOk;
  std::string text_;
};

// A value, or the Status that explains why there is none.
template <typename T>
class Result {
 public:
  Result(T value)
      : value_(std::move(value)), status_(Status::Ok()) {}  // NOLINT: implicit by design
  Result(Status error) : status_(std::move(error)) {}       // NOLINT: implicit by design

  bool ok() const { return value_.has_value(); }
  const Status& status() const { return status_; }
  T& value() { return *value_; }
  const T& value() const { return *value_; }

 private:
  std::optional<T> value_;
  Status status_;
};

}  // namespace kv
