#include "calc/calculate.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "calc/number_text.h"

namespace stakora {
namespace {

// Raised while a press is tried on a copy of the window: the real window is
// never touched by a press that cannot complete.
struct Refusal {
  std::string message;
  std::optional<FocusTarget> focus;
};

[[noreturn]] void RefuseUnworkable() {
  throw Refusal{kMsgNotWorkable, std::nullopt};
}

[[noreturn]] void RefuseOdds(int row) {
  throw Refusal{CheckOddsMessage(row), FocusTarget{FocusTarget::Kind::txt_odds, row}};
}

using Rows = std::array<HorseRow, kRowCount>;

// One press over rows 0 to count-1. The steps hand their results to each other
// through the box texts, so every figure is read back from the text it was
// written as. Only the rows are written; the rest of the window is read.
class Press {
 public:
  Press(const Form1& f, Rows& rows, Ui& ui, int count, double amount)
      : f_(f),
        rows_(rows),
        ui_(ui),
        sep_(f.platform.decimal_separator),
        n_(count),
        amount_(amount) {}

  CalcOutcome Run() {
    ConvertOdds(true);
    const bool workable = f_.Option1[1].selected ? SplitForProfit() : SplitTotalStake();
    if (!workable) return CalcOutcome::Refused;
    ShowResults();
    return CalcOutcome::Completed;
  }

 private:
  HorseRow& Row(int i) { return rows_[static_cast<std::size_t>(i)]; }

  // Every box read here holds a figure this press wrote.
  double Read(const Control& c) const {
    const auto v = ReadNumber(c.text, sep_);
    if (!v) RefuseUnworkable();
    return *v;
  }
  void WriteNumber(Control& c, double x) const {
    if (!HasNumberText(x)) RefuseUnworkable();
    c.text = NumberText(x, sep_);
  }
  void WriteResult(Control& c, double x) const { WriteNumber(c, RoundTo2(x)); }

  // Working odds (net odds) of rows 0 to n-1 into thisDecimal.
  void ConvertOdds(bool reset_colour) {
    const bool fraction = f_.Option3.selected;
    for (int i = 0; i < n_; ++i) {
      HorseRow& row = Row(i);
      const std::string& t = row.txt_odds.text;
      if (fraction) {
        const auto slash = t.find('/');
        if (slash == std::string::npos) RefuseOdds(i);
        const auto num = ToInt16(std::string_view(t).substr(0, slash), sep_);
        const auto den = ToInt16(std::string_view(t).substr(slash + 1), sep_);
        if (!num.value || !den.value || *den.value == 0) RefuseOdds(i);
        const double quotient = static_cast<double>(*num.value) / static_cast<double>(*den.value);
        row.thisDecimal.text = SingleText(static_cast<float>(quotient), sep_);
        if (reset_colour) row.profit_figure.fore = ForeColour::WindowText;
      } else {
        const auto odds = ReadNumber(t, sep_);
        if (!odds) RefuseOdds(i);
        WriteNumber(row.thisDecimal, *odds - 1);
      }
    }
  }

  // Stake to bet: the amount split in proportion to the inverse decimal odds.
  // thisDecimal holds each share as text until the second conversion pass.
  bool SplitTotalStake() {
    double sum = 0;
    for (int i = 0; i < n_; ++i) {
      Control& box = Row(i).thisDecimal;
      WriteNumber(box, 1 / (Read(box) + 1));
      sum += Read(box);
    }
    for (int i = 0; i < n_; ++i)
      WriteResult(Row(i).W_Stake, (Read(Row(i).thisDecimal) / sum) * amount_);
    return true;
  }

  // Profit to win: the total stake T that yields the amount whichever horse
  // wins; T of 1 or less cannot be placed.
  bool SplitForProfit() {
    if (n_ < 1 || n_ > kRowCount) return true;
    double sum = 0;
    for (int i = 0; i < n_; ++i) sum += 1 / (Read(Row(i).thisDecimal) + 1);
    const double total = (amount_ * sum) / (1 - sum);
    if (!std::isfinite(total)) RefuseUnworkable();
    if (total <= 1) {
      ui_.ShowMessage(kMsgNotWorkable);
      return false;
    }
    for (int i = 0; i < n_; ++i) {
      const double amount_text = Read(f_.Total_stake);
      WriteResult(Row(i).W_Stake, (amount_text + total) / (Read(Row(i).thisDecimal) + 1));
    }
    return true;
  }

  void ShowResults() {
    ConvertOdds(false);
    for (int i = 0; i < n_; ++i) {
      HorseRow& row = Row(i);
      WriteResult(row.profit_figure, Read(row.thisDecimal) * Read(row.W_Stake));
      // The order of this sum is part of the rule.
      double others = 0;
      for (int j = n_ - 1; j > i; --j) others += Read(Row(j).W_Stake);
      for (int j = 0; j < i; ++j) others += Read(Row(j).W_Stake);
      const double own = Read(row.profit_figure);
      if (std::floor(others) > std::floor(own)) {
        row.profit_figure.fore = ForeColour::Red;
        ui_.ShowMessage(kMsgLoss);
      }
      WriteResult(row.profit_figure, own - others);
    }
    for (int i = 0; i < n_; ++i) {
      HorseRow& row = Row(i);
      WriteResult(row.Winnings, Read(row.thisDecimal) * Read(row.W_Stake));
    }
  }

  const Form1& f_;
  Rows& rows_;
  Ui& ui_;
  char sep_;
  int n_;
  double amount_;
};

class CountingUi : public SilentUi {
 public:
  void ShowMessage(const std::string&) override { ++messages; }
  int messages = 0;
};

CalcOutcome Stop(Ui& ui, const char* message, FocusTarget::Kind focus) {
  ui.ShowMessage(message);
  ui.SetFocus({focus, 0});
  return CalcOutcome::Refused;
}

}  // namespace

std::string CheckOddsMessage(int row) {
  return "Please check the odds for Horse " + std::to_string(row + 1);
}

CalcOutcome cmd_calculate2_Click(Form1& f, Ui& ui) {
  using Kind = FocusTarget::Kind;
  const char sep = f.platform.decimal_separator;
  if (!IsNumeric(f.Total_stake.text, sep)) return Stop(ui, kMsgStakeNotNumber, Kind::Total_stake);
  if (!IsNumeric(f.Combo1.text, sep)) return Stop(ui, kMsgHorsesNotNumber, Kind::Combo1);
  const auto amount = ToCurrency(f.Total_stake.text, sep);
  if (!amount.value) return Stop(ui, kMsgAmountTooLarge, Kind::Total_stake);
  if (amount.value->ten_thousandths == 0) return Stop(ui, kMsgZeroAmount, Kind::Total_stake);
  const auto count = ToInt16(f.Combo1.text, sep);
  if (!count.value || *count.value > kRowCount) return Stop(ui, kMsgHorseCountRange, Kind::Combo1);

  const int n = *count.value;
  const double a = amount.value->ToDouble();
  Rows trial = f.rows;
  CountingUi counter;
  CalcOutcome outcome;
  try {
    outcome = Press(f, trial, counter, n, a).Run();
  } catch (const Refusal& r) {
    ui.ShowMessage(r.message);
    if (r.focus) ui.SetFocus(*r.focus);
    return CalcOutcome::Refused;
  }
  if (counter.messages == 0) {
    f.rows = std::move(trial);
    return outcome;
  }
  // The press shows messages part way through, so it runs again on the window
  // itself for each box to see the window as it stands. The trial completed,
  // so this run cannot refuse.
  return Press(f, f.rows, ui, n, a).Run();
}

}  // namespace stakora
