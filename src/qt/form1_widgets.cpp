#include "qt/form1_widgets.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "qt/accessibility.h"
#include "qt/strings.h"
#include "qt/style.h"
#include "qt/twips.h"

namespace stakora::qt {
namespace {

template <typename W>
W* Place(W* w, const Control& c, const QFont& font) {
  w->setGeometry(PxRect(c.place));
  w->setFont(font);
  return w;
}

// Labels sit at the top left of their boxes.
template <typename L>
L* TopLeft(L* l) {
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return l;
}

QLabel* MakeLabel(QWidget* parent, const Control& c, const QFont& font, const QColor& colour) {
  auto* l = TopLeft(Place(new QLabel(Q(c.text), parent), c, font));
  SetColour(l, QPalette::WindowText, colour);
  return l;
}

QFrame* MakeLine(QWidget* parent, const Line& line) {
  auto* f = new QFrame(parent);
  f->setFrameShape(QFrame::NoFrame);
  f->setAutoFillBackground(true);
  SetColour(f, QPalette::Window, parent->palette().color(QPalette::HighlightedText));
  f->setGeometry(Px(line.x1), Px(line.y1) - 1, Px(line.x2) - Px(line.x1), 2);  // 2 pixels wide
  MarkAsSeparator(f);
  return f;
}

QLineEdit* MakeBox(QWidget* parent, const Control& c, const QFont& font, bool read_only,
                   const QString& name) {
  auto* e = Place(new QLineEdit(Q(c.text), parent), c, font);
  e->setReadOnly(read_only);
  e->setAccessibleName(name);
  return e;
}

}  // namespace

namespace {

// The two frames of option buttons: races, and the odds' notation.
void BuildFrames(QWidget* client, const Form1& m, Form1Widgets& w) {
  const QFont verdana825b = Font(Face::Verdana, 8.25, true);
  const QColor highlight_text = client->palette().color(QPalette::HighlightedText);
  auto frame = [&](const Control& c) {
    auto* g = Place(new QGroupBox(Q(c.text), client), c, verdana825b);
    SetColour(g, QPalette::WindowText, kCaptionYellow);
    return g;
  };
  auto option = [&](QWidget* parent, const Control& c, const QFont& font) {
    auto* r = Place(new QRadioButton(Q(c.text), parent), c, font);
    SetColour(r, QPalette::WindowText, highlight_text);
    return r;
  };
  w.number_of_races = frame(m.number_of_races);
  for (std::size_t i = 0; i < 2; ++i)
    w.Option1[i] = option(w.number_of_races, m.Option1[i], verdana825b);
  w.frm_odds = frame(m.frm_odds);
  w.Option2 = option(w.frm_odds, m.Option2, Font(Face::Verdana, 8.25, false));
  w.Option3 = option(w.frm_odds, m.Option3, Font(Face::Verdana, 8.25, false));
  w.Option4 = option(w.frm_odds, m.Option4, Font(Face::Verdana, 8.25, false));
}

// How many horses, the amount, and the column headings over the rows.
void BuildHead(QWidget* client, const Form1& m, Form1Widgets& w) {
  const QFont verdana12b = Font(Face::Verdana, 12, true);
  const QColor window_colour = client->palette().color(QPalette::Window);
  w.Label1 = MakeLabel(client, m.Label1, verdana12b, window_colour);
  w.Combo1 = Place(new QComboBox(client), m.Combo1, verdana12b);
  w.Combo1->setEditable(true);
  w.Combo1->setInsertPolicy(QComboBox::NoInsert);
  w.Combo1->addItems({"1", "2", "3", "4", "5"});
  w.Combo1->setEditText(Q(m.Combo1.text));
  w.Combo1->setToolTip("Number of Horses that you wish to bet on");
  // Its edit box is what has the focus, so it carries the name too: a screen
  // reader would otherwise read the box by its value.
  for (QWidget* named :
       {static_cast<QWidget*>(w.Combo1), static_cast<QWidget*>(w.Combo1->lineEdit())}) {
    named->setAccessibleName("How many horses?");
    named->setAccessibleDescription("Number of Horses that you wish to bet on");
  }
  w.Label2 = MakeLabel(client, m.Label2, verdana12b, window_colour);
  w.Total_stake = MakeBox(client, m.Total_stake, verdana12b, false, "Amount");
  w.Total_stake->setToolTip("This is Stake or Profit amount");
  w.Line1 = MakeLine(client, m.Line1);

  w.Label9 = TopLeft(Place(new ClickableLabel(client), m.Label9, Font(Face::Arial, 12, true)));
  w.Label9->setText(Q(m.Label9.text));
  SetColour(w.Label9, QPalette::WindowText, kCaptionYellow);
  w.Label9->setAccessibleName(Q(m.Label9.text));
  w.Label4 = MakeLabel(client, m.Label4, verdana12b, window_colour);
  w.Label5 = MakeLabel(client, m.Label5, verdana12b, window_colour);
  w.Label8 = MakeLabel(client, m.Label8, verdana12b, window_colour);
  w.Label6 = MakeLabel(client, m.Label6, verdana12b, window_colour);
}

// A row per horse: its number, odds, stake, winnings and profit.
void BuildRows(QWidget* client, const Form1& m, Form1Widgets& w) {
  const QFont result_font = Font(Face::Verdana, 9, false);
  for (std::size_t i = 0; i < w.rows.size(); ++i) {
    const HorseRow& r = m.rows[i];
    RowWidgets& rw = w.rows[i];
    const QString n = QString::number(i + 1);
    rw.Label3 = MakeLabel(client, r.Label3, Font(Face::Verdana, 9.75, true),
                          client->palette().color(QPalette::ToolTipBase));
    rw.txt_odds = MakeBox(client, r.txt_odds, Font(Face::MsSansSerif, i < 4 ? 9.75 : 8.25, true),
                          false, "Horse " + n + " Odds");
    // The second box's tooltip has always read "Horse2 Odds", without a space.
    rw.txt_odds->setToolTip(i == 1 ? "Horse2 Odds" : "Horse " + n + " Odds");
    rw.W_Stake = MakeBox(client, r.W_Stake, result_font, true, "Horse " + n + " Stake");
    rw.Winnings = MakeBox(client, r.Winnings, result_font, true, "Horse " + n + " Win");
    rw.profit_figure =
        MakeBox(client, r.profit_figure, result_font, true, "Horse " + n + " Profit");
  }
}

// The rule, Calculate and Close, and the link under them.
void BuildFoot(QWidget* client, const Form1& m, Form1Widgets& w) {
  const QFont sans825 = Font(Face::MsSansSerif, 8.25, false);
  w.Line2 = MakeLine(client, m.Line2);
  w.cmd_calculate2 =
      Place(new QPushButton(Q(m.cmd_calculate2.text), client), m.cmd_calculate2, sans825);
  w.cmd_close = Place(new QPushButton(Q(m.cmd_close.text), client), m.cmd_close, sans825);
  w.cmd_close->setAccessibleName("Close");
  // Enter presses the focused button; in the amount and odds boxes it presses
  // Calculate (the main window connects that).
  w.cmd_calculate2->setAutoDefault(true);
  w.cmd_close->setAutoDefault(true);
  w.Label7 = TopLeft(Place(new ClickableLabel(client), m.Label7, Font(Face::Arial, 8.25, true)));
  w.Label7->setText(Q(m.Label7.text));
  SetColour(w.Label7, QPalette::WindowText, client->palette().color(QPalette::Highlight));
  w.Label7->setAccessibleName(Q(m.Label7.text));
}

// The window's tab indexes; labels and frames hold places but take no focus.
void SetTabOrder(const Form1Widgets& w) {
  std::vector<std::pair<int, QWidget*>> order = {
      {1, w.Combo1},      {2, w.Total_stake}, {18, w.cmd_close}, {24, w.cmd_calculate2},
      {26, w.Option1[1]}, {27, w.Option1[0]}, {37, w.Label7},    {39, w.Option2},
      {40, w.Option3},    {47, w.Label9},     {48, w.Option4}};
  const int odds_tab[] = {3, 4, 5, 6, 7}, stake_tab[] = {10, 14, 15, 16, 17},
            profit_tab[] = {12, 28, 29, 30, 31}, win_tab[] = {42, 43, 44, 45, 46};
  for (std::size_t i = 0; i < w.rows.size(); ++i) {
    order.emplace_back(odds_tab[i], w.rows[i].txt_odds);
    order.emplace_back(stake_tab[i], w.rows[i].W_Stake);
    order.emplace_back(profit_tab[i], w.rows[i].profit_figure);
    order.emplace_back(win_tab[i], w.rows[i].Winnings);
  }
  std::sort(order.begin(), order.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 1; i < order.size(); ++i)
    QWidget::setTabOrder(order[i - 1].second, order[i].second);
}

}  // namespace

Form1Widgets BuildForm1Widgets(QWidget* client, const Form1& m) {
  Form1Widgets w;
  client->setAutoFillBackground(true);
  SetColour(client, QPalette::Window, kGainGreen);
  BuildFrames(client, m, w);
  BuildHead(client, m, w);
  BuildRows(client, m, w);
  BuildFoot(client, m, w);
  SetTabOrder(w);
  return w;
}

namespace {

void SetText(QLineEdit* e, const std::string& text) {
  const QString q = Q(text);
  if (e->text() == q) return;  // leave the cursor alone while the user types
  e->setText(q);
  e->setCursorPosition(0);  // a figure too long for its box shows its first digits
}

void SetText(QLabel* l, const std::string& text) {
  const QString q = Q(text);
  if (l->text() != q) l->setText(q);
}

// The buttons of a group are exclusive, as on every desktop; the model may
// still clear a whole group (a settings file can), which Qt allows only with
// the exclusivity lifted for that moment.
void SetSelected(QRadioButton* r, const Control& c) {
  if (r->isChecked() == c.selected) return;
  r->setAutoExclusive(c.selected);
  r->setChecked(c.selected);
  r->setAutoExclusive(true);
}

void SetTop(QWidget* w, int twips) {
  w->move(w->x(), Px(twips));
}

}  // namespace

void Render(const Form1& m, Form1Widgets& w) {
  for (std::size_t i = 0; i < 2; ++i) SetSelected(w.Option1[i], m.Option1[i]);
  SetSelected(w.Option2, m.Option2);
  SetSelected(w.Option3, m.Option3);
  SetSelected(w.Option4, m.Option4);
  SetText(w.Label2, m.Label2.text);
  if (w.Combo1->currentText() != Q(m.Combo1.text)) w.Combo1->setEditText(Q(m.Combo1.text));
  SetText(w.Total_stake, m.Total_stake.text);

  // Figures of an earlier Calculate are greyed until the next one.
  const bool stale = m.results == Results::OutOfDate;
  const QPalette& usual = w.rows[0].txt_odds->palette();  // odds boxes are never recoloured
  const QColor text = usual.color(QPalette::Text);
  const QColor grey = usual.color(QPalette::Disabled, QPalette::Text) != text
                          ? usual.color(QPalette::Disabled, QPalette::Text)
                          : QColor(Qt::gray);
  const QString description = stale ? QString(kResultsOutOfDate) : QString();
  for (std::size_t i = 0; i < w.rows.size(); ++i) {
    const HorseRow& r = m.rows[i];
    RowWidgets& rw = w.rows[i];
    const std::pair<QWidget*, const Control*> shown[] = {{rw.Label3, &r.Label3},
                                                         {rw.txt_odds, &r.txt_odds},
                                                         {rw.W_Stake, &r.W_Stake},
                                                         {rw.profit_figure, &r.profit_figure},
                                                         {rw.Winnings, &r.Winnings}};
    for (const auto& [widget, control] : shown) widget->setVisible(control->visible);
    SetText(rw.txt_odds, r.txt_odds.text);
    SetText(rw.W_Stake, r.W_Stake.text);
    SetText(rw.Winnings, r.Winnings.text);
    SetText(rw.profit_figure, r.profit_figure.text);
    for (QLineEdit* box : {rw.W_Stake, rw.Winnings, rw.profit_figure}) {
      QColor colour = stale ? grey : text;
      if (!stale && box == rw.profit_figure && r.profit_figure.fore == ForeColour::Red)
        colour = kLossRed;
      if (box->palette().color(QPalette::Text) != colour) SetColour(box, QPalette::Text, colour);
      if (box->accessibleDescription() != description) box->setAccessibleDescription(description);
    }
  }

  SetTop(w.cmd_calculate2, m.cmd_calculate2.place.top);
  SetTop(w.cmd_close, m.cmd_close.place.top);
  SetTop(w.Label7, m.Label7.place.top);
  w.Line2->move(w.Line2->x(), Px(m.Line2.y1) - 1);  // centred on its Y
}

}  // namespace stakora::qt
