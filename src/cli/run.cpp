#include "cli/run.h"

#include <algorithm>

#include "calculate.h"
#include "cli/cli_args.h"
#include "cli/report.h"
#include "options.h"

namespace stakora::cli {

int Run(const std::vector<std::string>& words, std::ostream& out, std::ostream& err,
        bool terminal) {
  const auto parsed = ParseArgs(words);
  if (!parsed) {
    err << "stakora-cli: " << parsed.error().text << "\n" << kUsage;
    return 2;
  }
  const Args& args = *parsed;

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

  out << (args.json ? JsonReport(f, report) : TableReport(f, report, terminal));
  return report.outcome == CalcOutcome::Completed ? 0 : 1;
}

}  // namespace stakora::cli
