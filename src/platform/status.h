// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace kv {

// Outcome of an operation that can fail with a description a person can read.
// An empty description means success.
class Status {
 public:
  static Status Ok() { return Status(); }
  static Status Error(std::string description) { return Status(std::move(description)); }

  bool ok() const { return description_.empty(); }
  const std::string& description() const { return description_; }

 private:
  Status() = default;
  explicit Status(std::string description)
      : description_(description.empty() ? "Unknown error." : std::move(description)) {}
  std::string description_;
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
