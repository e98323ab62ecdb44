#include "cli/report.h"

#include <algorithm>
#include <cstdio>

namespace stakora::cli {
namespace {

std::string JsonString(const std::string& s) {
  std::string out = "\"";
  for (const char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20 || c == 0x7f) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

const HorseRow& Row(const Form1& f, int i) {
  return f.rows[static_cast<std::size_t>(i)];
}

std::string Pad(const std::string& s, std::size_t width) {
  return s.size() >= width ? s + " " : s + std::string(width - s.size(), ' ');
}

}  // namespace

std::string JsonReport(const Form1& f, const Report& r) {
  std::string out = "{\"outcome\": ";
  out += r.outcome == CalcOutcome::Completed ? "\"completed\"" : "\"refused\"";
  out += ", \"messages\": [";
  for (std::size_t i = 0; i < r.messages.size(); ++i)
    out += (i ? ", " : "") + JsonString(r.messages[i]);
  out += "], \"rows\": [";
  for (int i = 0; i < r.rows_in_use; ++i) {
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
  std::string out;
  for (const auto& m : r.messages) out += "Message: " + m + "\n";
  if (r.rows_in_use == 0) return out;
  constexpr std::size_t kWidth = 12;
  out += Pad("Horse", 8) + Pad("Odds", kWidth) + Pad("Stake", kWidth) + Pad("Win", kWidth) +
         "Profit\n";
  for (int i = 0; i < r.rows_in_use; ++i) {
    const HorseRow& row = Row(f, i);
    const bool warned = row.profit_figure.fore == ForeColour::Red;
    std::string line = Pad(std::to_string(i + 1), 8) + Pad(row.txt_odds.text, kWidth) +
                       Pad(row.W_Stake.text, kWidth) + Pad(row.Winnings.text, kWidth) +
                       row.profit_figure.text + (warned ? "  ! loss" : "");
    if (warned && colour) line = "\x1b[31m" + line + "\x1b[0m";
    out += line + "\n";
  }
  return out;
}

}  // namespace stakora::cli
