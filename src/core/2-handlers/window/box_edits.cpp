#include "box_edits.h"

namespace stakora {

void Total_stake_Change(Form1& f) {
  MarkResultsOutOfDate(f);
}

void Combo1_Change(Form1& f) {
  MarkResultsOutOfDate(f);
}

void txt_odds_Change(Form1& f, int index) {
  if (index < 0 || index >= kRowCount) return;
  HorseRow& row = f.rows[static_cast<std::size_t>(index)];
  row.typed = {row.txt_odds.text, SelectedNotation(f)};
  MarkResultsOutOfDate(f);
}

}  // namespace stakora
