#include "calculate.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "number_text.h"

namespace stakora {
namespace {

// Why a press cannot complete: one message, and where the focus goes.
struct Refusal {
  std::string message;
  std::optional<FocusTarget> focus;
};

using Rows = std::array<HorseRow, kRowCount>;

// One press over rows 0 to count-1. The steps hand their results to each other
// through the box texts, so every figure is read back from the text it was
// written as. Only the rows are written; the rest of the window is read.
// The first refusal is kept and the press runs on harmlessly to its end: it
// works on a copy, which is thrown away when it refused.
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
    ConvertOdds();
    if (f_.Option1[1].selected) {
      if (!SplitForProfit()) return CalcOutcome::Refused;
    } else {
      SplitTotalStake();
    }
    if (refusal_) return CalcOutcome::Refused;
    ShowResults();
    return refusal_ ? CalcOutcome::Refused : CalcOutcome::Completed;
  }

  const std::optional<Refusal>& refusal() const { return refusal_; }

 private:
  HorseRow& Row(int i) { return rows_[static_cast<std::size_t>(i)]; }

  void Refuse(std::string message, std::optional<FocusTarget> focus = std::nullopt) {
    if (!refusal_) refusal_ = Refusal{std::move(message), focus};
  }
  void RefuseOdds(int row) {
    Refuse(CheckOddsMessage(row), FocusTarget{FocusTarget::Kind::txt_odds, row});
  }

  // Every box read holds a figure this press wrote, or Total_stake, which the
  // checks before the press found numeric.
  double Read(const Control& c) {
    const auto v = ReadNumber(c.text, sep_);
    if (!v) Refuse(kMsgNotWorkable);
    return v.value_or(0);
  }
  void WriteNumber(Control& c, double x) {
    if (HasNumberText(x)) {
      c.text = NumberText(x, sep_);
    } else {
      Refuse(kMsgNotWorkable);
    }
  }
  void WriteResult(Control& c, double x) { WriteNumber(c, RoundTo2(x)); }

  // Working odds (net odds) of rows 0 to n-1 into thisDecimal. In fractions
  // it also starts each row in the window's colour, which a profit plan that
  // proves unworkable keeps.
  void ConvertOdds() {
    const bool fraction = f_.Option3.selected;
    for (int i = 0; i < n_; ++i) {
      HorseRow& row = Row(i);
      const std::string& t = row.txt_odds.text;
      if (fraction) {
        const auto slash = t.find('/');
        if (slash == std::string::npos) {
          RefuseOdds(i);
          continue;
        }
        const auto num = ToInt16(std::string_view(t).substr(0, slash), sep_);
        const auto den = ToInt16(std::string_view(t).substr(slash + 1), sep_);
        if (!num || !den || *den == 0) {
          RefuseOdds(i);
          continue;
        }
        const double quotient = static_cast<double>(*num) / static_cast<double>(*den);
        row.thisDecimal.text = SingleText(static_cast<float>(quotient), sep_);
        row.profit_figure.fore = ForeColour::WindowText;
      } else {
        const auto odds = ReadNumber(t, sep_);
        if (!odds) {
          RefuseOdds(i);
          continue;
        }
        WriteNumber(row.thisDecimal, *odds - 1);
      }
    }
  }

  // Stake to bet: the amount split in proportion to the inverse decimal odds.
  // thisDecimal holds each share as text until the second conversion pass.
  void SplitTotalStake() {
    double sum = 0;
    for (int i = 0; i < n_; ++i) {
      Control& box = Row(i).thisDecimal;
      WriteNumber(box, 1 / (Read(box) + 1));
      sum += Read(box);
    }
    for (int i = 0; i < n_; ++i)
      WriteResult(Row(i).W_Stake, (Read(Row(i).thisDecimal) / sum) * amount_);
  }

  // Profit to win: the total stake T that yields the amount whichever horse
  // wins. A T of 1 or less cannot be placed: the message is shown from inside
  // the press and the press ends as refused, keeping its working odds.
  bool SplitForProfit() {
    if (n_ < 1) return true;  // no row in use: nothing to place, nothing to refuse
    double sum = 0;
    for (int i = 0; i < n_; ++i) sum += 1 / (Read(Row(i).thisDecimal) + 1);
    const double total = (amount_ * sum) / (1 - sum);
    if (!std::isfinite(total)) {
      Refuse(kMsgNotWorkable);
      return true;
    }
    if (total <= 1) {
      ui_.ShowMessage(kMsgNotWorkable);
      return false;
    }
    for (int i = 0; i < n_; ++i) {
      // The amount is read from its box for every row, as the box holds it:
      // not the currency value the checks took, which drops a fifth decimal.
      const double amount_text = Read(f_.Total_stake);
      WriteResult(Row(i).W_Stake, (amount_text + total) / (Read(Row(i).thisDecimal) + 1));
    }
    return true;
  }

  void ShowResults() {
    // Red means a loss in the figures shown, in every notation: a press that
    // completes starts its rows in the window's text colour.
    for (int i = 0; i < n_; ++i) Row(i).profit_figure.fore = ForeColour::WindowText;
    ConvertOdds();
    for (int i = 0; i < n_; ++i) {
      HorseRow& row = Row(i);
      WriteResult(row.profit_figure, Read(row.thisDecimal) * Read(row.W_Stake));
      // The other stakes are added from the last row down to the next one, then
      // from the first up: in floating point the order can move the last cent
      // of the net profit, and this is the order the results are known by.
      double others = 0;
      for (int j = n_ - 1; j > i; --j) others += Read(Row(j).W_Stake);
      for (int j = 0; j < i; ++j) others += Read(Row(j).W_Stake);
      const double own = Read(row.profit_figure);
      // Warned exactly when the net profit shown is below zero, to the cent.
      if (RoundTo2(own - others) < 0) {
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
  std::optional<Refusal> refusal_;
};

CalcOutcome Stop(Form1& f, Ui& ui, const char* message, FocusTarget::Kind focus) {
  MarkResultsOutOfDate(f);
  ui.ShowMessage(message);
  ui.SetFocus({focus, 0});
  return CalcOutcome::Refused;
}

}  // namespace

std::string CheckOddsMessage(int row) {
  return "Please check the odds for Horse " + std::to_string(row + 1);
}

int RowsInUse(const Form1& f) {
  const auto count = ToInt16(f.Combo1.text, f.platform.decimal_separator);
  if (!count) return 0;
  return std::clamp<int>(*count, 0, kRowCount);
}

CalcOutcome cmd_calculate2_Click(Form1& f, Ui& ui) {
  using Kind = FocusTarget::Kind;
  const char sep = f.platform.decimal_separator;
  if (!IsNumeric(f.Total_stake.text, sep))
    return Stop(f, ui, kMsgStakeNotNumber, Kind::Total_stake);
  if (!IsNumeric(f.Combo1.text, sep)) return Stop(f, ui, kMsgHorsesNotNumber, Kind::Combo1);
  const auto amount = ToCurrency(f.Total_stake.text, sep);
  if (!amount) return Stop(f, ui, kMsgAmountTooLarge, Kind::Total_stake);
  if (amount->ten_thousandths == 0) return Stop(f, ui, kMsgZeroAmount, Kind::Total_stake);
  const auto count = ToInt16(f.Combo1.text, sep);
  if (!count || *count > kRowCount) return Stop(f, ui, kMsgHorseCountRange, Kind::Combo1);

  const int n = *count;
  const double a = amount->ToDouble();
  Rows trial = f.rows;
  RecordingUi recorder;
  Press press(f, trial, recorder, n, a);
  const CalcOutcome outcome = press.Run();
  if (const auto& r = press.refusal()) {
    MarkResultsOutOfDate(f);
    ui.ShowMessage(r->message);
    if (r->focus) ui.SetFocus(*r->focus);
    return CalcOutcome::Refused;
  }
  // The unworkable target profit refuses from inside the press.
  if (outcome == CalcOutcome::Completed)
    f.results = Results::Fresh;
  else
    MarkResultsOutOfDate(f);
  if (recorder.messages.empty()) {
    f.rows = std::move(trial);
    return outcome;
  }
  // The press shows messages part way through, so it runs again on the window
  // itself for each box to see the window as it stands. The trial completed,
  // so this run cannot refuse.
  return Press(f, f.rows, ui, n, a).Run();
}

}  // namespace stakora
