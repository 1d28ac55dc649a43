// How the platform reports what could not be done: a Result holds either the value asked
// for or a Failure, whose reason is written to be shown to the user as it stands.
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace qv {

struct Failure {
    std::string reason;
    // The device is not there (never was, or went away), as opposed to being there and
    // refusing; the program words the two differently.
    bool deviceGone = false;
    // The system's error number behind the failure (errno), 0 when there is none.
    int errorNumber = 0;
};

// The value of a Result that has nothing to hand back but success.
struct Done {};

template <class T = Done>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    Result(Failure failure) : failure_(std::move(failure)) {}

    explicit operator bool() const { return value_.has_value(); }
    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    // Empty on success.
    const Failure& failure() const { return failure_; }
    const std::string& error() const { return failure_.reason; }

private:
    std::optional<T> value_;
    Failure failure_;
};

}  // namespace qv
