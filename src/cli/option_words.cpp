#include "cli/option_words.h"

namespace stakora::cli {

bool LooksLikeOption(std::string_view word) {
  if (word.size() < 2 || word[0] != '-') return false;
  const char c = word[1];
  return c == '-' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::optional<Result<std::string, UsageError>> OptionValue(const std::vector<std::string>& words,
                                                           std::size_t& i, std::string_view name) {
  const std::string_view word = words[i];
  if (word.substr(0, name.size()) != name) return std::nullopt;
  const std::string_view rest = word.substr(name.size());
  if (!rest.empty()) {
    if (rest.front() != '=') return std::nullopt;
    return std::string(rest.substr(1));
  }
  if (i + 1 >= words.size() || LooksLikeOption(words[i + 1]))
    return UsageError{std::string(name) + " needs a value"};
  return words[++i];
}

}  // namespace stakora::cli
