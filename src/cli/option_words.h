#pragma once
// What the two command lines share in reading their words.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "result.h"

namespace stakora::cli {

// Why a command line was refused: a usage error, exit status 2.
struct UsageError {
  std::string text;
};

// "--x..." or "-" and a letter: an option, never an odds text or a value
// ("-1" and "-1/2" stay texts).
bool LooksLikeOption(std::string_view word);

// Whether words[i] is the option `name`, as "--name=VALUE" or "--name VALUE";
// then its value, taken exactly as given. A separate value never swallows
// another option or "--": write "--name=VALUE" for such a text.
std::optional<Result<std::string, UsageError>> OptionValue(const std::vector<std::string>& words,
                                                           std::size_t& i, std::string_view name);

// "unknown option WORD", with the known option it most likely meant: one a
// slip or two away ("--mdoe"), or the only one it begins ("--comm").
UsageError UnknownOption(std::string_view word, const std::vector<std::string_view>& known);

}  // namespace stakora::cli
