#include "plan_figures.h"

namespace stakora::plan {
namespace {

// What commission leaves of a gross result, over kBasis: a loss keeps all of it.
i128 Kept(const Checked& c, bool gain) {
  return gain ? kBasis - c.commission : kBasis;
}

std::string TooCloseTo100(const char* whose, const std::string& book_text) {
  return std::string("the ") + whose + " book is " + book_text +
         "%, too close to 100% for the stakes to be worked out: leave a runner out";
}

}  // namespace

// Past thirty decimals the last digit leans to the side the book is on.
std::string BookText(const Fraction& book) {
  const Fraction percent = book * Whole(100);
  const auto side = book <=> Whole(1);
  for (int decimals = 2; decimals <= 30; ++decimals) {
    const std::string text = FixedText(percent, decimals).value_or("");
    if (side == 0 || text != "100." + std::string(static_cast<std::size_t>(decimals), '0'))
      return text;
  }
  return side < 0 ? "99." + std::string(30, '9') : "100." + std::string(29, '0') + "1";
}

std::optional<std::int64_t> Rounded(const Fraction& q) {
  const auto whole = RoundHalfEven(q);
  return whole ? Fit64(*whole) : std::nullopt;
}

std::optional<std::int64_t> NetCents(const Checked& c, const Fraction& gross) {
  const bool gain = !gross.num.negative() && !gross.num.zero();
  return Rounded(gross * Fraction{Big(Kept(c, gain)), Big(kBasis)});
}

std::int64_t NetCents(const Checked& c, i128 gross_num, i128 gross_den) {
  const i128 keep = Kept(c, gross_num > 0);
  return static_cast<std::int64_t>(RoundHalfEven(Q::Of(gross_num * keep, gross_den * kBasis)));
}

std::string MinimumsTooMuch(const Checked& c, std::int64_t parts) {
  return "the minimum stakes add up to " +
         MoneyText(parts * c.field.min * c.step * static_cast<std::int64_t>(c.field.size())) +
         ", more than the stake " + MoneyText(c.amount);
}

Result<std::int64_t, std::string> Found(const std::optional<std::int64_t>& total, const Search& s,
                                        const char* whose, const std::string& book_text,
                                        const std::string& beyond, const std::string& none) {
  if (total) return *total;
  switch (s.why) {
    case Stop::Cancelled:
      return std::string(kStopped);
    case Stop::WorkBudget:
      return TooCloseTo100(whose, book_text);
    case Stop::BeyondMost:
      return beyond;
    case Stop::None:
      break;
  }
  return none;
}

}  // namespace stakora::plan
