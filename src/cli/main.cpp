// stakora-cli: one press of Calculate on the window's start-up state, driven
// from the command line.

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "calc/calculate.h"
#include "calc/number_text.h"
#include "cli/cli_args.h"
#include "cli/report.h"
#include "mainwindow/options.h"

namespace {

using namespace stakora;

// Collects every message the press shows; no message asks a question here.
class RecordingUi : public SilentUi {
 public:
  void ShowMessage(const std::string& prompt) override { messages.push_back(prompt); }
  std::vector<std::string> messages;
};

OptionId NotationOption(cli::OddsFormat format) {
  switch (format) {
    case cli::OddsFormat::Decimal:
      return OptionId::Option2;
    case cli::OddsFormat::Fraction:
      return OptionId::Option3;
    case cli::OddsFormat::Betfair:
      break;
  }
  return OptionId::Option4;
}

int RowsInUse(const Form1& f) {
  const auto count = ToInt16(f.Combo1.text, f.platform.decimal_separator);
  if (!count.value) return 0;
  return std::clamp<int>(*count.value, 0, kRowCount);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> words(argv + 1, argv + argc);
  const auto parsed = cli::ParseArgs(words);
  if (!parsed.args) {
    std::cerr << "stakora-cli: " << parsed.error << "\n" << cli::kUsage;
    return 2;
  }
  const cli::Args& args = *parsed.args;

  Form1 f = MakeForm1();
  SelectOption(f, args.mode == cli::Mode::Profit ? OptionId::Option1_1 : OptionId::Option1_0);
  SelectOption(f, NotationOption(args.odds_format));
  if (args.amount) f.Total_stake.text = *args.amount;
  f.Combo1.text =
      args.horses ? *args.horses : std::to_string(std::max<std::size_t>(args.odds.size(), 1));
  for (std::size_t i = 0; i < args.odds.size(); ++i) {
    f.rows[i].txt_odds.text = args.odds[i];
    txt_odds_Change(f, static_cast<int>(i));
  }

  RecordingUi ui;
  cli::Report report;
  report.outcome = cmd_calculate2_Click(f, ui);
  report.messages = ui.messages;
  report.rows_in_use = RowsInUse(f);

  std::cout << (args.json ? cli::JsonReport(f, report)
                          : cli::TableReport(f, report, isatty(STDOUT_FILENO) == 1));
  return report.outcome == CalcOutcome::Completed ? 0 : 1;
}
