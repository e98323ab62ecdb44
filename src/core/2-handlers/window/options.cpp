#include "options.h"

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

// Fractional odds a/b become the decimal odds a/b + 1, to the cent; any other
// text is left as the user typed it.
void FractionsToDecimalOdds(Form1& f) {
  const char sep = f.platform.decimal_separator;
  for (HorseRow& row : f.rows) {
    std::string& s = row.txt_odds.text;
    const auto slash = s.find('/');
    if (slash == std::string::npos) continue;
    const auto num = ReadNumber(std::string_view(s).substr(0, slash), sep);
    const auto den = ReadNumber(std::string_view(s).substr(slash + 1), sep);
    if (!num || !den || *den == 0) continue;
    const double decimal = RoundTo2(*num / *den + 1);
    if (HasNumberText(decimal)) s = NumberText(decimal, sep);
  }
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
}

void Option2_Click(Form1& f) {
  FractionsToDecimalOdds(f);
}

void Option3_Click(Form1& f) {
  for (HorseRow& row : f.rows) {
    std::string& s = row.txt_odds.text;
    if (s.find('/') != std::string::npos) continue;  // a fraction already
    if (auto fraction = DecimalOddsAsFraction(s, f.platform.decimal_separator)) s = *fraction;
  }
}

void Option4_Click(Form1& f) {
  FractionsToDecimalOdds(f);
}

void txt_odds_Change(Form1& /*f*/, int /*index*/) {}

}  // namespace stakora
