#pragma once
// The widgets that show Form1: built once from the window's start-up value
// (MakeForm1), then brought up to date from the model after every handler.

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>

#include "form1.h"
#include "qt/clickable_label.h"

namespace stakora::qt {

struct RowWidgets {
  QLabel* Label3 = nullptr;
  QLineEdit* txt_odds = nullptr;
  QLineEdit* W_Stake = nullptr;
  QLineEdit* Winnings = nullptr;
  QLineEdit* profit_figure = nullptr;
  // thisDecimal is working storage and has no widget.
};

struct Form1Widgets {
  QGroupBox* number_of_races = nullptr;
  std::array<QRadioButton*, 2> Option1{};
  QGroupBox* frm_odds = nullptr;
  QRadioButton* Option2 = nullptr;
  QRadioButton* Option3 = nullptr;
  QRadioButton* Option4 = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* Combo1 = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* Total_stake = nullptr;
  QFrame* Line1 = nullptr;
  ClickableLabel* Label9 = nullptr;
  QLabel *Label4 = nullptr, *Label5 = nullptr, *Label8 = nullptr, *Label6 = nullptr;
  std::array<RowWidgets, kRowCount> rows{};
  QFrame* Line2 = nullptr;
  QPushButton* cmd_calculate2 = nullptr;
  QPushButton* cmd_close = nullptr;
  ClickableLabel* Label7 = nullptr;
};

// Children of client, placed, styled and in the window's tab order.
Form1Widgets BuildForm1Widgets(QWidget* client, const Form1& layout);

// Texts, visibility, selection, tops and the profit colour from the model.
void Render(const Form1& model, Form1Widgets& w);

}  // namespace stakora::qt
