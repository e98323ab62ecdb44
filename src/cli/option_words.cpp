#include "cli/option_words.h"

#include <algorithm>
#include <cstddef>

#include "cli/text.h"

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

std::string GuideLine(std::string_view name, std::string_view value, std::string_view help) {
  constexpr std::size_t kColumn = 17;  // where the help starts, after two spaces
  std::string left = std::string(name) + (value.empty() ? "" : " " + std::string(value));
  left += left.size() < kColumn ? std::string(kColumn - left.size(), ' ') : "  ";
  std::string out = "  " + left;
  for (char c : help) out += c == '\n' ? "\n" + std::string(kColumn + 2, ' ') : std::string(1, c);
  return out + "\n";
}

namespace {

// Edits between two words, a swap of neighbours counting as one.
std::size_t Slips(std::string_view a, std::string_view b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i)
    for (std::size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min(
          {d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  return d[a.size()][b.size()];
}

}  // namespace

UsageError UnknownOption(std::string_view word, const std::vector<std::string_view>& known) {
  std::string text = "unknown option " + PrintableText(word);
  const std::string_view name = word.substr(0, word.find('='));
  constexpr std::size_t kLongest = 40;  // anything longer is no slip
  if (name.size() > kLongest) return {text};
  std::string_view best;
  std::size_t fewest = 3;  // at most two slips
  std::size_t begun = 0;
  for (std::string_view option : known) {
    const std::size_t slips = Slips(name, option);
    if (slips < fewest) fewest = slips, best = option;
    begun += name.size() >= 4 && option.starts_with(name);
  }
  if (best.empty() && begun == 1)
    for (std::string_view option : known)
      if (option.starts_with(name)) best = option;
  if (!best.empty()) text += "; did you mean " + std::string(best) + "?";
  return {text};
}

}  // namespace stakora::cli
