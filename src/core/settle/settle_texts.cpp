#include "settle_texts.h"

#include <algorithm>

#include "exact.h"
#include "number_text.h"
#include "plan_limits.h"
#include "plan_text.h"
#include "request_texts.h"

namespace stakora::settle {
namespace {

using std::int64_t;

std::string BetName(std::size_t i) {
  return "Bet " + std::to_string(i + 1);
}

constexpr int kMostPlaces = 10;

// A whole number from 1 to `most`, or nullopt.
std::optional<int> Whole(std::string_view text, int most) {
  const auto q = plan::ParseDecimal(TrimBlanks(text), 0);
  if (!q || q->num() < 1 || q->num() > most) return std::nullopt;
  return static_cast<int>(q->num());
}

// Each way's "K:F": places and the share of the odds.
std::optional<std::string> ReadEachWayTerms(Bet& b, std::string_view terms) {
  const auto colon = terms.find(':');
  const auto places = Whole(terms.substr(0, colon), kMostPlaces);
  if (colon == std::string_view::npos || !places) return std::string();
  const std::string_view f = TrimBlanks(terms.substr(colon + 1));
  plan::Q q;
  if (const auto t = plan::ParseFraction(f)) {
    if (t->up > plan::kMostFractionTerm || t->down > plan::kMostFractionTerm) return std::string();
    q = plan::Q::Of(t->up, t->down);
  } else if (const auto d = plan::ParseDecimal(f, 2)) {
    q = *d;
  } else {
    return std::string();
  }
  if (q.num() <= 0 || q.num() > q.den()) return std::string();
  b.places = *places;
  b.fraction_num = static_cast<int>(q.num());
  b.fraction_den = static_cast<int>(q.den());
  return std::nullopt;
}

}  // namespace

std::optional<BetInput> ParseBetText(std::string_view text) {
  // The terms follow the odds' first ":"; the rest is a held bet's form.
  const auto at = text.rfind('@');
  if (at == std::string_view::npos) return std::nullopt;
  const auto terms = text.find(':', at);
  const auto bet = plan::ParseHeldText(text.substr(0, terms));
  if (!bet) return std::nullopt;
  return BetInput{bet->runner, bet->kind, bet->stake, bet->odds,
                  terms == std::string_view::npos ? "" : std::string(text.substr(terms + 1))};
}

Result<BetKind, std::string> ReadBetKind(const std::string& text, std::size_t i) {
  const std::string word = AsciiLower(TrimBlanks(text));
  for (BetKind kind : kBetKinds)
    if (word == BetKindName(kind)) return kind;
  return BetName(i) + ": the kind \"" + text +
         "\" is none of back, each-way, free, free-sr, lay, exchange-back, place-back and "
         "place-lay";
}

Result<Bet, std::string> ReadBet(const BetInput& in, std::size_t i) {
  Bet b;
  b.runner = std::string(TrimBlanks(in.runner));
  if (b.runner.empty()) return BetName(i) + ": give the runner's name";
  const auto kind = ReadBetKind(in.kind, i);
  if (!kind) return kind.error();
  b.kind = *kind;
  const auto stake = plan::ReadPositiveMoney(BetName(i) + ": stake", in.stake);
  if (!stake) return stake.error();
  b.stake = *stake;
  const auto odds = plan::ReadOdds(in.odds, BetName(i) + ": ");
  if (!odds) return odds.error();
  b.odds = *odds;
  const std::string_view terms = TrimBlanks(in.terms);
  if (b.kind == BetKind::EachWay) {
    if (ReadEachWayTerms(b, terms))
      return BetName(i) +
             ": each-way terms are K:F, the places paid (1 to 10) and the share "
             "of the odds such as 1/5, not \"" +
             in.terms + "\"";
  } else if (InPlaceMarket(b.kind)) {
    const auto winners = Whole(terms, kMostPlaces);
    if (!winners)
      return BetName(i) + ": a place market's terms are its number of winners, 1 to 10, not \"" +
             in.terms + "\"";
    b.places = *winners;
  } else if (!terms.empty()) {
    return BetName(i) + ": a " + BetKindName(b.kind) + " bet takes no terms";
  }
  return b;
}

std::optional<RunnerInput> ParseFinishText(std::string_view text) {
  const auto eq = text.rfind('=');
  if (eq == std::string_view::npos) return std::nullopt;
  RunnerInput r;
  r.name = std::string(text.substr(0, eq));
  r.position = std::string(text.substr(eq + 1));
  return r;
}

std::optional<RunnerInput> ParseNonRunnerText(std::string_view text) {
  RunnerInput r;
  r.non_runner = true;
  std::string_view rest;
  if (const auto at = text.rfind('@'); at != std::string_view::npos) {
    r.name = std::string(text.substr(0, at));
    rest = text.substr(at + 1);
    const auto colon = rest.find(':');
    r.price = std::string(rest.substr(0, colon));
    rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    if (r.price.empty()) return std::nullopt;
  } else {
    const auto colon = text.find(':');
    r.name = std::string(text.substr(0, colon));
    rest = colon == std::string_view::npos ? std::string_view() : text.substr(colon + 1);
    if (colon != std::string_view::npos && rest.empty()) return std::nullopt;
  }
  if (!rest.empty()) {
    const auto colon = rest.find(':');
    r.factor = std::string(rest.substr(0, colon));
    if (colon != std::string_view::npos) r.place_factor = std::string(rest.substr(colon + 1));
    if (r.factor.empty() || (colon != std::string_view::npos && r.place_factor.empty()))
      return std::nullopt;
  }
  return r;
}

Result<int64_t, std::string> ReadPercent(const std::string& what, const std::string& text) {
  if (TrimBlanks(text).empty()) return 0;  // a box left empty takes nothing
  return plan::ReadPercent(what, text);
}

Result<int, std::string> ReadRule4Cap(const std::string& text) {
  if (TrimBlanks(text).empty()) return kRule4Cap;
  return plan::ReadPence("Rule 4 cap", text);
}

Result<Race, std::string> ReadRace(const std::vector<RunnerInput>& runners) {
  Race race;
  for (const RunnerInput& in : runners) {
    const std::string name(TrimBlanks(in.name));
    if (name.empty()) {
      if (TrimBlanks(in.position).empty() && !in.non_runner) continue;  // an empty line
      return std::string("Give each runner in the result its name");
    }
    if (in.non_runner) {
      if (!TrimBlanks(in.position).empty())
        return name + " is given both a finishing position and as a non-runner";
      NonRunner n{name, std::nullopt, 0, 0};
      if (!TrimBlanks(in.price).empty()) {
        const auto price = plan::ReadOdds(in.price, name + ": the non-runner's price: ");
        if (!price) return price.error();
        n.price = *price;
      }
      if (!TrimBlanks(in.factor).empty()) {
        const auto rf = ReadPercent(name + ": the reduction factor", in.factor);
        if (!rf) return rf.error();
        n.win_factor = n.place_factor = *rf;
      }
      if (!TrimBlanks(in.place_factor).empty()) {
        const auto prf =
            ReadPercent(name + ": the place market's reduction factor", in.place_factor);
        if (!prf) return prf.error();
        n.place_factor = *prf;
      }
      race.non_runners.push_back(std::move(n));
    } else if (!TrimBlanks(in.position).empty()) {
      const auto position = Whole(in.position, kMostPosition);
      if (!position)
        return name + ": the finishing position \"" + in.position +
               "\" is not a whole number from 1 to " + std::to_string(kMostPosition);
      race.finish.push_back({name, *position});
    }
  }
  return race;
}

}  // namespace stakora::settle
