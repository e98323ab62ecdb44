#include "request_texts.h"

#include <algorithm>
#include <iterator>

#include "ladder.h"
#include "number_text.h"
#include "plan_limits.h"

namespace stakora::plan {
namespace {

using std::int64_t;

constexpr int kMostPlaces = 10;

Result<int, std::string> ReadWhole(const std::string& what, const std::string& text, int most) {
  const auto q = ParseDecimal(TrimBlanks(text), 0);
  if (!q || q->num() < 1 || q->num() > most)
    return what + ": \"" + text + "\" is not a whole number from 1 to " + std::to_string(most);
  return static_cast<int>(q->num());
}

std::string HeldBetName(std::size_t i) {
  return "Held bet " + std::to_string(i + 1);
}

}  // namespace

Result<Odds, std::string> ReadOdds(const std::string& odds, const std::string& who) {
  std::string t = AsciiLower(TrimBlanks(odds));
  // Bookmakers' pages write 11/4 as "11-4".
  if (const auto dash = t.find('-');
      dash != std::string::npos && dash > 0 && t.find('/') == std::string::npos)
    t[dash] = '/';
  const std::string unreadable = who + "cannot read the odds \"" + odds +
                                 "\"; give decimal odds such as 3.5, a fraction such as 7/2, "
                                 "or evens";
  Q q;
  if (t == "evens" || t == "evs") {
    q = Q::Of(2);
  } else if (t.find('/') != std::string::npos) {
    const auto f = ParseFraction(t);
    if (!f) return unreadable;
    if (f->up > kMostTerm || f->down > kMostTerm)
      return who + "the fraction " + odds + " has a term above 1000000";
    q = Q::Of(f->up + f->down, f->down);
  } else if (const auto d = ParseDecimal(t, kMostOddsDecimals)) {
    q = *d;
  } else if (d.error() == DecimalProblem::TooManyDecimals) {
    return who + "odds of " + odds + " have more than six decimals";
  } else if (d.error() == DecimalProblem::TooLarge) {
    return who + "odds of " + odds + " are above 10000";
  } else {
    return unreadable;
  }
  if (100 * q.num() < 101 * q.den()) return who + "odds of " + odds + " are below 1.01";
  if (q.num() > 10000 * q.den()) return who + "odds of " + odds + " are above 10000";
  return Odds{To64(q.num()), To64(q.den())};
}

Result<Odds, std::string> ReadLadderOdds(const std::string& odds, const std::string& who) {
  const auto read = ReadOdds(odds, who);
  if (!read || OnLadder(read->a, read->b)) return read;
  const Ticks near = TicksOf(read->a, read->b);
  const std::string off =
      who + std::string(TrimBlanks(odds)) + " is not on the exchange's price ladder: ";
  if (!near.up) return off + "the highest price is " + LadderText(*near.down);
  return off + LadderText(*near.down) + " or " + LadderText(*near.up);
}

Result<int64_t, std::string> ReadMoney(const std::string& what, const std::string& text,
                                       int64_t most) {
  const auto q = ParseDecimal(TrimBlanks(text), 2, true);
  const std::string limit = what + ": must be at most " + MoneyText(most);
  if (!q) {
    switch (q.error()) {
      case DecimalProblem::TooLarge:
        return limit;
      case DecimalProblem::TooManyDecimals:
        return what + ": \"" + text + "\" has more than two decimals";
      case DecimalProblem::NotANumber:
        break;
    }
    return what + ": \"" + text + "\" is not a number";
  }
  const i128 cents = q->num() * 100 / q->den();
  if (cents > most) return limit;
  return To64(cents);
}

Result<int64_t, std::string> ReadStep(const std::string& text) {
  const auto step = ReadMoney("Step", text, kMostStepCents);
  if (step && *step <= 0) return std::string("Step: must be more than 0, such as 0.01, 0.50 or 1");
  return step;
}

Result<int64_t, std::string> ReadPercent(const std::string& what, const std::string& text) {
  // "5%" is read as 5: the box and the option already say it is a percentage.
  std::string_view percent = TrimBlanks(text);
  if (percent.ends_with('%')) percent = TrimBlanks(percent.substr(0, percent.size() - 1));
  const auto q = ParseDecimal(percent, 2);
  if (!q || q->num() >= 100 * q->den())
    return what + ": must be a percentage from 0 to below 100, with at most two decimals";
  return To64(q->num() * 100 / q->den());
}

Result<int64_t, std::string> ReadCommission(const std::string& text) {
  return ReadPercent("Commission", text);
}

Result<int64_t, std::string> ReadMinStake(const std::string& text) {
  const auto min = ReadMoney("Minimum stake", text, kMostCents);
  if (min && *min < 0) return std::string("Minimum stake: must be 0 or more");
  return min;
}

Result<int64_t, std::string> ReadMinPayout(const std::string& text) {
  if (TrimBlanks(text).empty()) return int64_t{0};
  const auto payout = ReadMoney("Minimum payout", text, kMostCents);
  if (payout && *payout < 0) return std::string("Minimum payout: must be 0 or more");
  return payout;
}

Result<int64_t, std::string> ReadPositiveMoney(const std::string& what, const std::string& text) {
  const auto money = ReadMoney(what, text, kMostCents);
  if (money && *money <= 0) return what + ": must be more than 0";
  return money;
}

Result<int, std::string> ReadPence(const std::string& what, const std::string& text) {
  const auto q = ParseDecimal(TrimBlanks(text), 0);
  if (!q || q->num() > kMostRule4Pence)
    return what + ": \"" + text + "\" is not a whole number of pence from 0 to " +
           std::to_string(kMostRule4Pence);
  return static_cast<int>(q->num());
}

Result<int, std::string> ReadRule4(const std::string& text) {
  if (TrimBlanks(text).empty()) return 0;
  return ReadPence("Rule 4", text);
}

Result<int64_t, std::string> ReadAmount(const std::string& text) {
  return ReadPositiveMoney("Amount", text);
}

Result<PlaceTerms, std::string> ReadPlaceFraction(const std::string& text) {
  const std::string_view t = TrimBlanks(text);
  const std::string wrong = "Place fraction: \"" + text +
                            "\" is not a fraction such as 1/4 or 1/5, above 0 and at most 1";
  Q f;
  if (t.find('/') != std::string_view::npos) {
    const auto terms = ParseFraction(t);
    if (!terms || terms->up > kMostFractionTerm || terms->down > kMostFractionTerm) return wrong;
    f = Q::Of(terms->up, terms->down);
  } else if (const auto d = ParseDecimal(t, 2)) {
    f = *d;
  } else {
    return wrong;
  }
  if (f.num() <= 0 || f.num() > f.den()) return wrong;
  return PlaceTerms{0, static_cast<int>(f.num()), static_cast<int>(f.den())};
}

Result<int, std::string> ReadPlaces(const std::string& text) {
  return ReadWhole("Places", text, kMostPlaces);
}

Result<int, std::string> ReadFieldSize(const std::string& text) {
  return ReadWhole("Field size", text, static_cast<int>(kMaxRunners));
}

namespace {

// In the order of HeldKind.
constexpr KindWords kKindWords[] = {
    {"back", "back: a bet on the runner to win, at a bookmaker or an exchange"},
    {"lay", "lay: an exchange lay against the runner, the stake the backer's"},
    {"free", "free: a free bet whose stake is not returned with the winnings"},
    {"free-sr", "free-sr: a free bet whose stake is returned with the winnings"},
    {"each-way",
     "each-way: a bookmaker's each-way bet, the stake each part's, with its places "
     "and place fraction"}};
static_assert(std::size(kKindWords) == std::size(kHeldKinds));

const KindWords& WordsOf(HeldKind kind) {
  return kKindWords[static_cast<std::size_t>(kind)];
}

}  // namespace

const char* HeldKindName(HeldKind kind) {
  return WordsOf(kind).name;
}

const char* HeldKindHelp(HeldKind kind) {
  return WordsOf(kind).help;
}

Result<std::size_t, std::string> ReadHeldRunner(const Request& r, std::size_t i) {
  return ReadRunnerOf(r, r.held[i].runner, HeldBetName(i));
}

Result<std::size_t, std::string> ReadRunnerOf(const Request& r, std::string_view typed,
                                              const std::string& who) {
  const std::string text(TrimBlanks(typed));
  std::optional<std::size_t> named;
  for (std::size_t j = 0; j < r.runners.size(); ++j) {
    if (TrimBlanks(r.runners[j].name) != text || text.empty()) continue;
    // Two runners of one name: the bet could be on either.
    if (named)
      return who + ": runners " + std::to_string(*named + 1) + " and " + std::to_string(j + 1) +
             " are both called \"" + text + "\"; give them different names";
    named = j;
  }
  if (named) return *named;
  const auto position = ParseDecimal(text, 0);
  if (position && position->num() >= 1 && position->num() <= static_cast<i128>(r.runners.size()))
    return static_cast<std::size_t>(position->num() - 1);
  if (position)
    return who + ": there is no runner " + text + "; the plan has " +
           std::to_string(r.runners.size());
  return who + ": no runner is called \"" + text + "\"";
}

Result<HeldKind, std::string> ReadHeldKind(const std::string& text, std::size_t i) {
  const std::string kind = AsciiLower(std::string(TrimBlanks(text)));
  const auto named = std::find_if(std::begin(kHeldKinds), std::end(kHeldKinds),
                                  [&](HeldKind k) { return kind == HeldKindName(k); });
  if (named == std::end(kHeldKinds))
    return HeldBetName(i) + ": the kind \"" + text +
           "\" is not back, lay, free, free-sr or each-way";
  return *named;
}

bool IsEachWayKind(const std::string& text) {
  const auto kind = ReadHeldKind(text, 0);
  return kind && *kind == HeldKind::EachWay;
}

Result<int64_t, std::string> ReadHeldStake(const std::string& text, std::size_t i) {
  return ReadPositiveMoney(HeldBetName(i) + " stake", text);
}

Result<Odds, std::string> ReadPlaceOdds(const std::string& text, std::size_t j, bool on_ladder) {
  return (on_ladder ? ReadLadderOdds : ReadOdds)(text, RunnerLabel(j) + " place odds: ");
}

Result<int, std::string> ReadHeldPlaces(const std::string& text, std::size_t i) {
  return ReadWhole(HeldBetName(i) + " places", text, kMostPlaces);
}

Result<PlaceTerms, std::string> ReadHeldFraction(const std::string& text, std::size_t i) {
  const auto terms = ReadPlaceFraction(text);
  // "Place fraction: ..." as the bet's: "Held bet 1 place fraction: ...".
  if (!terms) return HeldBetName(i) + " p" + terms.error().substr(1);
  return *terms;
}

Result<PlaceTerms, std::string> ReadHeldTerms(const HeldInput& bet, std::size_t i) {
  const auto places = ReadHeldPlaces(bet.places, i);
  if (!places) return places.error();
  const auto terms = ReadHeldFraction(bet.fraction, i);
  if (!terms) return terms.error();
  PlaceTerms out = *terms;
  out.places = *places;
  return out;
}

Result<int, std::string> ReadPlaceMarket(const std::string& text) {
  return ReadWhole("Place market winners", text, kMostPlaces);
}

Result<Odds, std::string> ReadHeldOdds(const std::string& text, std::size_t i, bool on_ladder) {
  return (on_ladder ? ReadLadderOdds : ReadOdds)(text, HeldBetName(i) + ": ");
}

}  // namespace stakora::plan
