#pragma once
// What the two command lines share in reading their words.

#include <cstddef>
#include <optional>
#include <span>
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

// One option of a command line, declared once: reading it, the names behind
// "did you mean", and its lines in the guide all come from its row.
template <class Args>
struct Option {
  std::string_view name;   // "--stake"
  std::string_view value;  // its value's name, "A"; empty for a flag
  std::string_view help;   // the guide's text, "\n" between its lines
  // Takes the value (empty for a flag): a usage error, or none.
  std::optional<UsageError> (*take)(Args& args, const std::string& value);
  std::string_view alias = {};    // "-h"
  std::string_view heading = {};  // printed before it in the guide
};

// words[i], with its value, read as one of `options` into args: the option
// read, nullptr when the word is none of them, or the usage error.
template <class Args>
Result<const Option<Args>*, UsageError> ReadOption(std::span<const Option<Args>> options,
                                                   const std::vector<std::string>& words,
                                                   std::size_t& i, Args& args) {
  for (const Option<Args>& o : options) {
    std::string value;
    if (o.value.empty()) {
      if (words[i] != o.name && (o.alias.empty() || words[i] != o.alias)) continue;
    } else {
      auto v = OptionValue(words, i, o.name);
      if (!v) continue;
      if (!*v) return v->error();
      value = **v;
    }
    if (auto wrong = o.take(args, value)) return *wrong;
    return &o;
  }
  return static_cast<const Option<Args>*>(nullptr);
}

// The lines of the guide for the options: "  --name VALUE   help".
std::string GuideLine(std::string_view name, std::string_view value, std::string_view help);
template <class Args>
std::string OptionGuide(std::span<const Option<Args>> options) {
  std::string out;
  for (const Option<Args>& o : options)
    out += std::string(o.heading) + GuideLine(o.name, o.value, o.help);
  return out;
}

// "unknown option WORD", with the known option it most likely meant: one a
// slip or two away ("--mdoe"), or the only one it begins ("--comm").
UsageError UnknownOption(std::string_view word, const std::vector<std::string_view>& known);
template <class Args>
UsageError UnknownOption(std::string_view word, std::span<const Option<Args>> options) {
  std::vector<std::string_view> known;
  for (const Option<Args>& o : options) known.push_back(o.name);
  return UnknownOption(word, known);
}

}  // namespace stakora::cli
