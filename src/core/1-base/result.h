#pragma once
// A value or the reason there is none, and the compiler insists that it is
// looked at. Each layer fails in the way its callers need:
//   - conversions and the planner return a Result: the value, or why not;
//   - the settings files return a bare ReportNumber, the number the user sees;
//   - handlers tell the user through Ui and return what the front end must do
//     next (CalcOutcome, CloseOutcome);
//   - the command lines turn a UsageError into exit status 2.

#include <utility>
#include <variant>

namespace stakora {

template <typename T, typename E>
class [[nodiscard]] Result {
 public:
  Result(T value) : v_(std::in_place_index<0>, std::move(value)) {}  // NOLINT: implicit on purpose
  Result(E error) : v_(std::in_place_index<1>, error) {}             // NOLINT

  bool ok() const { return v_.index() == 0; }
  explicit operator bool() const { return ok(); }
  const T& operator*() const { return std::get<0>(v_); }
  const T* operator->() const { return &std::get<0>(v_); }
  E error() const { return std::get<1>(v_); }

 private:
  std::variant<T, E> v_;
};

}  // namespace stakora
