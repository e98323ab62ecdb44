#include "matched_bet.h"

#include <algorithm>
#include <iterator>

#include "big.h"
#include "exact.h"
#include "number_text.h"
#include "plan_limits.h"
#include "plan_text.h"
#include "planner_settings.h"
#include "request_texts.h"

namespace stakora::plan {
namespace {

struct MatchedWords {
  MatchedKind kind;
  const char* label;
  const char* name;
  HeldKind held;
};
constexpr MatchedWords kKindWords[] = {
    {MatchedKind::Qualifying, "Qualifying bet", "qualifying", HeldKind::Back},
    {MatchedKind::Free, "Free bet (stake not returned)", "free", HeldKind::Free},
    {MatchedKind::FreeStakeReturned, "Free bet (stake returned)", "free-sr",
     HeldKind::FreeStakeReturned},
};

// Each box's text, in MatchedBox's order.
constexpr std::string MatchedBet::*kBoxTexts[] = {
    &MatchedBet::back_stake,     &MatchedBet::back_odds,       &MatchedBet::lay_odds,
    &MatchedBet::lay_commission, &MatchedBet::back_commission, &MatchedBet::step};
static_assert(std::size(kBoxTexts) == static_cast<std::size_t>(MatchedBox::Step) + 1);

const MatchedWords& WordsOf(MatchedKind kind) {
  return *std::find_if(std::begin(kKindWords), std::end(kKindWords),
                       [kind](const MatchedWords& w) { return w.kind == kind; });
}

template <typename T>
Result<T, MatchedProblem> At(MatchedBox box, Result<T, std::string> read) {
  if (read) return *read;
  return MatchedProblem{box, read.error()};
}

// The held bet's odds: as typed, or with c (of kBasis) of a back bet's
// winnings taken in commission, what it pays as odds the planner reads
// exactly: decimal where six decimals hold them, else a fraction. None when
// neither does.
std::optional<std::string> HeldOdds(const std::string& typed, const Odds& o, std::int64_t c) {
  if (c == 0) return typed;
  const Q win = Q::Of(static_cast<i128>(o.a - o.b) * (kBasis - c), static_cast<i128>(o.b) * kBasis);
  if (1'000'000 % win.den() == 0)
    return DecimalText(Fraction::Of(Q::Of(win.num() + win.den(), win.den())), kMostOddsDecimals);
  if (win.num() <= kMostTerm && win.den() <= kMostTerm)
    return std::to_string(static_cast<std::int64_t>(win.num())) + "/" +
           std::to_string(static_cast<std::int64_t>(win.den()));
  return std::nullopt;
}

// A percentage box left empty is none.
std::string PercentText(const std::string& typed) {
  return TrimBlanks(typed).empty() ? "0" : typed;
}

}  // namespace

const char* MatchedKindLabel(MatchedKind kind) {
  return WordsOf(kind).label;
}

const char* MatchedKindName(MatchedKind kind) {
  return WordsOf(kind).name;
}

std::string& BoxText(MatchedBet& m, MatchedBox box) {
  return m.*kBoxTexts[static_cast<std::size_t>(box)];
}

const std::string& BoxText(const MatchedBet& m, MatchedBox box) {
  return m.*kBoxTexts[static_cast<std::size_t>(box)];
}

void SetLean(MatchedBet& m, int lean) {
  m.lean = std::clamp(lean, -kMostLean, kMostLean);
}

Result<Request, MatchedProblem> MatchedRequest(const MatchedBet& m) {
  if (TrimBlanks(m.back_stake).empty() || TrimBlanks(m.back_odds).empty() ||
      TrimBlanks(m.lay_odds).empty())
    return MatchedProblem{std::nullopt, "Type the back stake, the back odds and the lay odds."};
  const auto stake = At(MatchedBox::BackStake, ReadPositiveMoney("Back stake", m.back_stake));
  if (!stake) return stake.error();
  const auto back = At(MatchedBox::BackOdds, ReadOdds(m.back_odds, "Back odds: "));
  if (!back) return back.error();
  const auto lay = At(MatchedBox::LayOdds, ReadOdds(m.lay_odds, "Lay odds: "));
  if (!lay) return lay.error();
  const auto lay_c =
      At(MatchedBox::LayCommission, ReadPercent("Lay commission", PercentText(m.lay_commission)));
  if (!lay_c) return lay_c.error();
  const auto back_c = At(MatchedBox::BackCommission,
                         ReadPercent("Back commission", PercentText(m.back_commission)));
  if (!back_c) return back_c.error();
  const auto step = At(MatchedBox::Step, ReadStep(m.step));
  if (!step) return step.error();
  const auto odds = HeldOdds(m.back_odds, *back, *back_c);
  if (!odds)
    return MatchedProblem{MatchedBox::BackCommission,
                          "Back commission: the back odds after it have too many decimals to "
                          "plan exactly; give the odds with fewer decimals"};
  Request r;
  r.side = Side::Lay;
  r.commission = PercentText(m.lay_commission);
  r.step = m.step;
  r.runners = {RunnerInput{"", m.lay_odds}};
  r.held = {HeldInput{"1", HeldKindName(WordsOf(m.kind).held), m.back_stake, *odds}};
  return r;
}

MatchedView MatchedViewWithout(MatchedProblem problem) {
  MatchedView v;
  v.summary = problem.message;
  v.problem = std::move(problem);
  return v;
}

MatchedView MatchedViewOf(const MatchedBet& m, const Request& r,
                          const Result<Plan, std::string>& best) {
  if (!best) return MatchedViewWithout({std::nullopt, best.error()});
  const Lean way = m.lean < 0 ? Lean::Under : Lean::Over;
  const int part = std::abs(m.lean);
  const auto p = m.lean == 0 ? best : LeanPlan(r, *best, way, Q::Of(part, kMostLean));
  if (!p) return MatchedViewWithout({std::nullopt, p.error()});
  const RunnerPlan& lay = p->runners[0];
  MatchedView v;
  v.lay_stake = MoneyText(lay.stake);
  v.liability = MoneyText(lay.liability);
  v.if_back_wins_cents = lay.profit_if_wins;
  v.if_lay_wins_cents = p->if_another_wins;
  v.if_back_wins = SignedMoney(lay.profit_if_wins);
  v.if_lay_wins = SignedMoney(p->if_another_wins);
  if (const auto kept = RetentionPercent(*p)) {
    v.result_label = "Retention";
    v.result = *kept + "%";
  } else {
    v.result_label = p->worst_profit < 0 ? "Qualifying loss" : "Qualifying profit";
    v.result = MoneyText(p->worst_profit < 0 ? -p->worst_profit : p->worst_profit);
  }
  const bool free = m.kind != MatchedKind::Qualifying;
  // Where each end leaves the bettor, in words a matched bettor uses.
  const char* end =
      way == Lean::Under
          ? (free ? "nothing won if the lay wins" : "nothing lost if the back bet wins")
          : (free ? "nothing won if the back bet wins" : "nothing lost if the lay wins");
  v.lean_text =
      m.lean == 0 ? "Best lay: the two outcomes as even as the step allows"
      : part == kMostLean
          ? std::string("Full ") + (way == Lean::Under ? "underlay: " : "overlay: ") + end
          : std::string(LeanName(way)) + " " + std::to_string(part) + "% of the way to " + end;
  v.summary = "Lay " + v.lay_stake + " at " + std::string(TrimBlanks(m.lay_odds)) + ", liability " +
              v.liability + ". If the back bet wins " + v.if_back_wins + "; if the lay wins " +
              v.if_lay_wins + ". " + v.result_label + " " + v.result + ".";
  return v;
}

std::string MatchedSettingsText(const MatchedBet& m) {
  std::string out;
  const auto line = [&](const char* key, const std::string& value) {
    // A box's text a line cannot keep starts from its default next time.
    if (IsPlainSetting(value)) out += std::string(key) + "=" + value + "\n";
  };
  line("lay_commission", m.lay_commission);
  line("back_commission", m.back_commission);
  line("step", m.step);
  line("kind", MatchedKindName(m.kind));
  return out;
}

MatchedBet ReadMatchedSettings(std::string_view text) {
  MatchedBet m;
  for (std::string_view l : Lines(text)) {
    const auto eq = l.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string_view key = l.substr(0, eq);
    const std::string value(l.substr(eq + 1));
    if (!IsPlainSetting(value)) continue;
    if (key == "lay_commission") m.lay_commission = value;
    if (key == "back_commission") m.back_commission = value;
    if (key == "step") m.step = value;
    if (key == "kind")
      for (const MatchedWords& w : kKindWords)
        if (value == w.name) m.kind = w.kind;
  }
  return m;
}

}  // namespace stakora::plan
