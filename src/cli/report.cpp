#include "cli/report.h"

#include "cli/text.h"

namespace stakora::cli {
namespace {

const HorseRow& Row(const Form1& f, int i) {
  return f.rows[static_cast<std::size_t>(i)];
}

int RowsShown(const Report& r) {
  return r.outcome == CalcOutcome::Completed ? r.rows_in_use : 0;
}

}  // namespace

std::string JsonReport(const Form1& f, const Report& r) {
  std::string out = "{\"outcome\": ";
  out += r.outcome == CalcOutcome::Completed ? "\"completed\"" : "\"refused\"";
  out += ", \"messages\": [";
  for (std::size_t i = 0; i < r.messages.size(); ++i)
    out += (i ? ", " : "") + JsonString(r.messages[i]);
  out += "], \"rows\": [";
  for (int i = 0; i < RowsShown(r); ++i) {
    const HorseRow& row = Row(f, i);
    out += i ? ", " : "";
    out += "{\"horse\": " + std::to_string(i + 1);
    out += ", \"odds\": " + JsonString(row.txt_odds.text);
    out += ", \"working_odds\": " + JsonString(row.thisDecimal.text);
    out += ", \"stake\": " + JsonString(row.W_Stake.text);
    out += ", \"win\": " + JsonString(row.Winnings.text);
    out += ", \"profit\": " + JsonString(row.profit_figure.text);
    out += ", \"loss_warning\": ";
    out += row.profit_figure.fore == ForeColour::Red ? "true}" : "false}";
  }
  return out + "]}\n";
}

std::string TableReport(const Form1& f, const Report& r, bool colour) {
  if (RowsShown(r) == 0) return "";
  constexpr std::size_t kWidth = 12;
  std::string out = Pad("Horse", 8) + Pad("Odds", kWidth) + Pad("Stake", kWidth) +
                    Pad("Win", kWidth) + "Profit\n";
  for (int i = 0; i < RowsShown(r); ++i) {
    const HorseRow& row = Row(f, i);
    const bool warned = row.profit_figure.fore == ForeColour::Red;
    std::string line = Pad(std::to_string(i + 1), 8) +
                       Pad(PrintableText(row.txt_odds.text), kWidth) +
                       Pad(row.W_Stake.text, kWidth) + Pad(row.Winnings.text, kWidth) +
                       row.profit_figure.text + (warned ? "  ! loss" : "");
    if (warned && colour) line = "\x1b[31m" + line + "\x1b[0m";
    out += line + "\n";
  }
  return out;
}

}  // namespace stakora::cli
