#include "cli/run.h"

#include <algorithm>

#include "app_identity.h"
#include "calculate.h"
#include "cli/cli_args.h"
#include "cli/output.h"
#include "cli/report.h"
#include "cli/text.h"
#include "number_text.h"
#include "options.h"

namespace stakora::cli {
namespace {

constexpr const char* kProgram = "stakora-cli";

// A refused fraction that reads as a decimal price: most likely the notation
// was left at its default.
bool DecimalOddsInFractions(const Form1& f, const Args& args, const std::string& message) {
  if (args.odds_format != Notation::Fraction) return false;
  for (int i = 0; i < RowsInUse(f); ++i)
    if (message == CheckOddsMessage(i) &&
        IsNumeric(f.rows[static_cast<std::size_t>(i)].txt_odds.text))
      return true;
  return false;
}

}  // namespace

int Run(const std::vector<std::string>& words, std::ostream& out, std::ostream& err,
        bool terminal) {
  const auto parsed = ParseArgs(words);
  if (!parsed) {
    err << kProgram << ": " << parsed.error().text << "\n" << kUsage;
    return 2;
  }
  const Args& args = *parsed;
  if (args.help) return WriteResults(out, std::string(kUsage) + "\n" + kGuide, err, kProgram);
  if (args.version)
    return WriteResults(out, std::string(kProgram) + " " + kVersionText + "\n", err, kProgram);

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
    if (report.outcome == CalcOutcome::Refused && DecimalOddsInFractions(f, args, m))
      err << "(the odds notation is Fraction; use --odds-format decimal)\n";
  }
  if (report.outcome == CalcOutcome::Completed && report.rows_in_use == 0)
    err << "no horses to calculate\n";

  const std::string results = args.json ? JsonReport(f, report) : TableReport(f, report, terminal);
  if (WriteResults(out, results, err, kProgram) != 0) return 1;
  return report.outcome == CalcOutcome::Completed ? 0 : 1;
}

}  // namespace stakora::cli
