#include "cli/run.h"

#include <algorithm>

#include "calculate.h"
#include "cli/cli_args.h"
#include "cli/command.h"
#include "cli/report.h"
#include "cli/text.h"
#include "number_text.h"
#include "options.h"

namespace stakora::cli {
namespace {

// The notation a refused odds text most likely meant: a decimal price under
// Fraction (the default), or a fraction under Decimal or Betfair.
std::string NotationHint(const Form1& f, const Args& args, const std::string& message) {
  const bool fractions = args.odds_format == Notation::Fraction;
  for (int i = 0; i < RowsInUse(f); ++i) {
    const std::string& odds = f.rows[static_cast<std::size_t>(i)].txt_odds.text;
    if (message != CheckOddsMessage(i)) continue;
    if (fractions && IsNumeric(odds))
      return "(the odds notation is Fraction; use --odds-format decimal)";
    const auto slash = odds.find('/');
    if (!fractions && slash != std::string::npos && IsNumeric(odds.substr(0, slash)) &&
        IsNumeric(odds.substr(slash + 1)))
      return std::string("(the odds notation is ") +
             (args.odds_format == Notation::Decimal ? "Decimal" : "Betfair") +
             "; use --odds-format fraction)";
  }
  return "";
}

// One press on the window's start-up state as the arguments set it.
Outcome Calculate(const Args& args, std::ostream& err, bool terminal) {
  Form1 f = MakeForm1();
  SelectOption(f, args.mode == Mode::Profit ? OptionId::Option1_1 : OptionId::Option1_0);
  SelectOption(f, NotationOption(args.odds_format));
  if (args.amount) f.Total_stake.text = *args.amount;
  f.Combo1.text =
      args.horses ? *args.horses : std::to_string(std::max<std::size_t>(args.odds.size(), 1));
  for (std::size_t i = 0; i < args.odds.size(); ++i) f.rows[i].txt_odds.text = args.odds[i];

  RecordingUi ui;
  Report report;
  report.outcome = cmd_calculate2_Click(f, ui);
  report.messages = ui.messages;
  report.rows_in_use = RowsInUse(f);

  for (const std::string& m : report.messages) {
    err << PrintableText(m) << "\n";
    if (report.outcome != CalcOutcome::Refused) continue;
    if (const std::string hint = NotationHint(f, args, m); !hint.empty()) err << hint << "\n";
  }
  if (report.outcome == CalcOutcome::Completed && report.rows_in_use == 0)
    err << "no horses to calculate\n";
  return {args.common.json ? JsonReport(f, report) : TableReport(f, report, terminal),
          report.outcome == CalcOutcome::Completed ? 0 : 1};
}

}  // namespace

int Run(const std::vector<std::string>& words, std::ostream& out, std::ostream& err,
        bool terminal) {
  const Command kCalculate{"stakora-cli", kUsage, Guide()};
  return RunCommand<Args>(
      kCalculate, words, out, err, ParseArgs,
      [terminal](const Args& args, std::ostream& e) { return Calculate(args, e, terminal); });
}

}  // namespace stakora::cli
