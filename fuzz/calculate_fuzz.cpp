// A whole Calculate press on arbitrary texts in every box, any horse count,
// both modes and all notations.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "calculate.h"
#include "fuzz_support.h"
#include "number_text.h"
#include "options.h"

using namespace stakora;
using stakora::fuzz::Check;
using stakora::fuzz::Texts;

namespace {

bool IsFigure(const std::string& text, char sep) {
  const auto v = ReadNumber(text, sep);
  return v && std::isfinite(*v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::uint8_t flags = data[0];
  const char sep = flags & 8 ? ',' : '.';
  Form1 f = MakeForm1({sep, ""});
  SelectOption(f, flags & 1 ? OptionId::Option1_1 : OptionId::Option1_0);
  SelectOption(f, NotationOption(static_cast<Notation>(((flags >> 1) & 3) % 3)));
  if (flags & 16) f.rows[2].profit_figure.fore = ForeColour::Red;

  const auto texts = Texts(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  if (texts.size() > 0) f.Total_stake.text = texts[0];
  if (texts.size() > 1) f.Combo1.text = texts[1];
  for (std::size_t i = 0; i < 5 && i + 2 < texts.size(); ++i)
    f.rows[i].txt_odds.text = texts[i + 2];
  if (texts.size() > 7) f.rows[0].W_Stake.text = texts[7];  // left over from "an earlier run"

  const Form1 before = f;
  RecordingUi ui;
  const CalcOutcome outcome = cmd_calculate2_Click(f, ui);

  const int rows = RowsInUse(f);
  if (outcome == CalcOutcome::Completed) {
    for (const std::string& m : ui.messages) Check(m == kMsgLoss);
    for (int i = 0; i < rows; ++i) {
      const HorseRow& r = f.rows[static_cast<std::size_t>(i)];
      for (const Control* c : {&r.thisDecimal, &r.W_Stake, &r.profit_figure, &r.Winnings})
        Check(IsFigure(c->text, sep));
    }
  } else {
    Check(ui.messages.size() == 1);
    // Only an unworkable target profit keeps the first pass's working odds.
    Form1 expected = before;
    if (ui.messages[0] == kMsgNotWorkable) {
      for (int i = 0; i < rows; ++i) {
        const auto r = static_cast<std::size_t>(i);
        expected.rows[r].thisDecimal.text = f.rows[r].thisDecimal.text;
        expected.rows[r].profit_figure.fore = f.rows[r].profit_figure.fore;
      }
    }
    Check(f == expected);
  }
  for (std::size_t i = static_cast<std::size_t>(rows); i < 5; ++i)
    Check(f.rows[i] == before.rows[i]);
  return 0;
}
