#pragma once
// A JSON text read into values, for the plans stakora-plan prints. Strict
// (RFC 8259), nested at most 64 deep and kept whole in memory: the texts it
// reads are a plan's, a few kilobytes.

#include <string>
#include <string_view>
#include <vector>

#include "result.h"

namespace stakora::cli {

struct Json {
  enum class Type { Null, Bool, Number, String, Array, Object };
  Type type = Type::Null;
  bool boolean = false;
  std::string text;                // a string's value, UTF-8, or a number as written
  std::vector<Json> items;         // an array's; an object's member values
  std::vector<std::string> names;  // an object's member names, beside items

  // The member named `key`, or nullptr (also when this is no object).
  const Json* Find(std::string_view key) const;
};

// The value, or where and why the text is not JSON.
Result<Json, std::string> ParseJson(std::string_view text);

}  // namespace stakora::cli
