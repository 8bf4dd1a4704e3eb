// Result<T>: a value or the words of what went wrong. Errors are values in this program: an
// operation that can fail returns one of these and the caller shows or passes on the message.
#pragma once

#include <QString>

#include <optional>
#include <utility>
#include <variant>

namespace rqm27 {

struct Error {
  QString message;
};

template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::move(value)) {}
  Result(Error error) : state_(std::move(error)) {}

  bool ok() const { return std::holds_alternative<T>(state_); }
  explicit operator bool() const { return ok(); }
  const T& value() const& { return std::get<T>(state_); }
  T& value() & { return std::get<T>(state_); }
  T&& value() && { return std::get<T>(std::move(state_)); }
  const T& operator*() const& { return value(); }
  T& operator*() & { return value(); }
  const T* operator->() const { return &value(); }
  T* operator->() { return &value(); }
  const QString& error() const { return std::get<Error>(state_).message; }

 private:
  std::variant<T, Error> state_;
};

// For operations that produce nothing but may fail.
struct Done {};
using Status = Result<Done>;
inline Status Ok() {
  return Done{};
}

}  // namespace rqm27
