#include "options.h"

#include <optional>
#include <string>

#include "number_text.h"

namespace stakora {
namespace {

bool InModeGroup(OptionId id) {
  return id == OptionId::Option1_0 || id == OptionId::Option1_1;
}

void RunHandler(Form1& f, OptionId id) {
  switch (id) {
    case OptionId::Option1_0:
      Option1_Click(f, 0);
      break;
    case OptionId::Option1_1:
      Option1_Click(f, 1);
      break;
    case OptionId::Option2:
      Option2_Click(f);
      break;
    case OptionId::Option3:
      Option3_Click(f);
      break;
    case OptionId::Option4:
      Option4_Click(f);
      break;
  }
}

// Each odds box shows what was typed in it, in the notation now selected:
// exactly as typed in the notation it was typed in, else converted from its
// form (a fraction or a price, whatever the notation it was typed under). A
// text that cannot be converted stays as the box shows it.
void ShowTypedOddsIn(Form1& f, Notation target) {
  const char sep = f.platform.decimal_separator;
  for (HorseRow& row : f.rows) {
    const TypedOdds& typed = row.typed;
    const bool fraction = typed.text.find('/') != std::string::npos;
    std::optional<std::string> shown;
    if (typed.notation == target || fraction == (target == Notation::Fraction))
      shown = typed.text;
    else if (fraction)
      shown = FractionOddsAsDecimal(typed.text, sep);
    else
      shown = DecimalOddsAsFraction(typed.text, sep);
    if (shown) row.txt_odds.text = *shown;
  }
  MarkResultsOutOfDate(f);
}

}  // namespace

OptionId NotationOption(Notation n) {
  switch (n) {
    case Notation::Decimal:
      return OptionId::Option2;
    case Notation::Fraction:
      return OptionId::Option3;
    case Notation::Betfair:
      break;
  }
  return OptionId::Option4;
}

Control& OptionControl(Form1& f, OptionId id) {
  switch (id) {
    case OptionId::Option1_0:
      return f.Option1[0];
    case OptionId::Option1_1:
      return f.Option1[1];
    case OptionId::Option2:
      return f.Option2;
    case OptionId::Option3:
      return f.Option3;
    case OptionId::Option4:
      break;
  }
  return f.Option4;
}

const Control& OptionControl(const Form1& f, OptionId id) {
  return OptionControl(const_cast<Form1&>(f), id);
}

void SelectOption(Form1& f, OptionId id) {
  if (OptionControl(f, id).selected) return;
  for (OptionId other : {OptionId::Option1_0, OptionId::Option1_1, OptionId::Option2,
                         OptionId::Option3, OptionId::Option4})
    if (InModeGroup(other) == InModeGroup(id)) OptionControl(f, other).selected = other == id;
  RunHandler(f, id);
}

void ClearOption(Form1& f, OptionId id) {
  OptionControl(f, id).selected = false;
}

void Option1_Click(Form1& f, int /*index*/) {
  if (f.Option1[0].selected) f.Label2.text = kPromptStake;
  if (f.Option1[1].selected) f.Label2.text = kPromptWin;
  MarkResultsOutOfDate(f);
}

void Option2_Click(Form1& f) {
  ShowTypedOddsIn(f, Notation::Decimal);
}

void Option3_Click(Form1& f) {
  ShowTypedOddsIn(f, Notation::Fraction);
}

void Option4_Click(Form1& f) {
  ShowTypedOddsIn(f, Notation::Betfair);
}

}  // namespace stakora
