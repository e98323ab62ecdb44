#include "form1.h"

#include <string>

#include "addresses.h"

namespace stakora {
namespace {

Control Make(std::string text, Rect place, bool selected = false) {
  Control c;
  c.text = std::move(text);
  c.place = place;
  c.selected = selected;
  return c;
}

constexpr int kRowTop = 2640;
constexpr int kRowPitch = 360;

HorseRow MakeRow(int i) {
  const int top = kRowTop + kRowPitch * i;
  const std::string n = std::to_string(i + 1);
  HorseRow r;
  r.Label3 = Make("Horse " + n, {240, top, 855, 375});
  r.txt_odds = Make(n + "/1", {1320, top, 735, 315});
  r.typed = {r.txt_odds.text, Notation::Fraction};
  r.W_Stake = Make("0.00", {2280, top, 855, 315});
  r.Winnings = Make("0.00", {3240, top, 855, 315});
  r.profit_figure = Make("0.00", {4200, top, 855, 315});
  // Beyond the right edge of the client area, and never shown anyway.
  r.thisDecimal = Make("0.00", {5760, 3840 + kRowPitch * i, 495, 285});
  r.thisDecimal.visible = false;
  return r;
}

}  // namespace

Form1 MakeForm1(Platform platform) {
  Form1 f;
  f.number_of_races = Make("Stake or Profit?", {0, 120, 4095, 735});
  f.Option1[0] = Make("Stake to bet", {240, 240, 1695, 375}, true);
  f.Option1[1] = Make("Profit to win", {1920, 240, 1815, 375});
  f.frm_odds = Make("Odds", {4200, 120, 1215, 1335});
  f.Option2 = Make("Decimal", {120, 240, 985, 375});
  f.Option3 = Make("Fraction", {120, 635, 975, 255}, true);
  f.Option4 = Make("Betfair", {120, 960, 975, 255});
  f.Label1 = Make("How many horses?", {120, 1000, 2655, 375});
  f.Combo1 = Make("1", {2760, 960, 1335, 390});
  f.Label2 = Make("How much do wish to stake?", {120, 1560, 3855, 375});
  f.Total_stake = Make("50.00", {4200, 1485, 1215, 360});
  f.Line1 = {120, 2040, 5280, 2040};
  f.Label9 = Make("HELP!", {120, 2160, 1095, 375});
  f.Label4 = Make("Odds", {1320, 2160, 735, 255});
  f.Label5 = Make("Stake", {2160, 2160, 1095, 255});
  f.Label8 = Make("Win", {3120, 2160, 1095, 255});
  f.Label6 = Make("Profit", {4080, 2160, 1095, 375});
  for (int i = 0; i < kRowCount; ++i) f.rows[static_cast<std::size_t>(i)] = MakeRow(i);
  f.Line2 = {120, 4560, 5280, 4560};
  f.cmd_calculate2 = Make("Calculate", {120, 4680, 3855, 495});
  f.cmd_close = Make("&Close", {4080, 4680, 1215, 495});
  f.Label7 = Make(kMakerHomePage, {120, 5280, 5175, 255});
  // The window is drawn with a client area 5610 high; the outer height it
  // starts with is set by Form_Load (4700), and nothing reads this before.
  f.height = 5610;
  f.platform = std::move(platform);
  return f;
}

void ResizeMainWindow(Form1& f, int height) {
  f.height = height;
  const int h = f.height;  // the model never adjusts the height it is given
  f.cmd_calculate2.place.top = h - 1550;
  f.cmd_close.place.top = h - 1550;
  f.Label7.place.top = h - 1000;
  f.Line2.y1 = h - 1650;
  f.Line2.y2 = h - 1650;
}

void LayOutForStartUp(Form1& f) {
  ResizeMainWindow(f, 4700);
  for (int i = 1; i < kRowCount; ++i) HideRow(f.rows[static_cast<std::size_t>(i)]);
}

Notation SelectedNotation(const Form1& f) {
  if (f.Option3.selected) return Notation::Fraction;
  if (f.Option4.selected) return Notation::Betfair;
  return Notation::Decimal;
}

void MarkResultsOutOfDate(Form1& f) {
  if (f.results == Results::Fresh) f.results = Results::OutOfDate;
}

void ShowRow(HorseRow& row) {
  row.Label3.visible = true;
  row.txt_odds.visible = true;
  row.W_Stake.visible = true;
  row.thisDecimal.visible = false;
  row.profit_figure.visible = true;
  row.Winnings.visible = true;
}

void HideRow(HorseRow& row) {
  for (Control* c : {&row.Label3, &row.txt_odds, &row.W_Stake, &row.thisDecimal, &row.profit_figure,
                     &row.Winnings})
    c->visible = false;
}

}  // namespace stakora
