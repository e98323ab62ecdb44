#pragma once
// The pieces both programs' JSON is written with: a member after the first,
// and money as a decimal text to the cent, or null.

#include <cstdint>
#include <optional>
#include <string>

#include "cli/text.h"
#include "exact.h"

namespace stakora::cli {

// `, "name": value`, the value already JSON.
inline std::string JsonField(const char* name, const std::string& json_value) {
  return std::string(", \"") + name + "\": " + json_value;
}

inline std::string JsonMoney(std::int64_t cents) {
  return JsonString(plan::MoneyText(cents));
}

inline std::string JsonMoney(const std::optional<std::int64_t>& cents) {
  return cents ? JsonMoney(*cents) : "null";
}

}  // namespace stakora::cli
