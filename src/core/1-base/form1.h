#pragma once
// The main window as a plain value: every control's text, visibility, place,
// selection and colour. Handlers read and write this model; the desktop front
// end only draws it.

#include <array>
#include <string>

namespace stakora {

// Twips: 1/1440 inch, 15 to a pixel at 96 dpi.
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

enum class ForeColour { WindowText, Red };

struct Control {
  std::string text;  // caption of a label, button or option; contents of a box
  bool visible = true;
  bool selected = false;  // option buttons only
  Rect place;             // relative to the client area or the holding frame
  ForeColour fore = ForeColour::WindowText;
  friend bool operator==(const Control&, const Control&) = default;
};

struct Line {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // twips
  friend bool operator==(const Line&, const Line&) = default;
};

enum class Notation { Decimal, Fraction, Betfair };

// What the user last typed in an odds box and the notation it was typed in:
// switching notation converts from this, and switching back gives it back.
struct TypedOdds {
  std::string text;
  Notation notation = Notation::Fraction;
  friend bool operator==(const TypedOdds&, const TypedOdds&) = default;
};

// Row i is horse i + 1 on screen. thisDecimal holds the row's working odds as
// text between the calculation steps and is never displayed.
struct HorseRow {
  Control Label3;
  Control txt_odds;
  Control thisDecimal;
  Control W_Stake;
  Control profit_figure;
  Control Winnings;
  TypedOdds typed;
  friend bool operator==(const HorseRow&, const HorseRow&) = default;
};

inline constexpr int kRowCount = 5;
inline constexpr int kClientWidth = 5460;  // twips; never changes

// What the core needs to know of the machine it runs on.
struct Platform {
  Platform(char sep = '.', std::string program = {}, std::string pages = {},
           std::string settings = {})
      : decimal_separator(sep),
        program_folder(std::move(program)),
        pages_folder(std::move(pages)),
        settings_folder(std::move(settings)) {}

  char decimal_separator = '.';  // the user's locale in the desktop program
  std::string program_folder;    // as the system reports it, no conversion
  // Where the pages and the settings are when not beside the program (an
  // installed package); empty means the program's folder.
  std::string pages_folder;
  std::string settings_folder;
  const std::string& PagesFolder() const {
    return pages_folder.empty() ? program_folder : pages_folder;
  }
  const std::string& SettingsFolder() const {
    return settings_folder.empty() ? program_folder : settings_folder;
  }
  friend bool operator==(const Platform&, const Platform&) = default;
};

// Whether the result boxes show what the window's boxes would give now: after
// an edit or a refused Calculate they are out of date until the next one.
enum class Results { None, Fresh, OutOfDate };
// What a screen reader hears of a result box that is out of date.
inline constexpr const char* kResultsOutOfDate = "out of date: press Calculate";

struct Form1 {
  Control number_of_races;  // frame of the Option1 group
  std::array<Control, 2> Option1;
  Control frm_odds;  // frame of Option2..Option4
  Control Option2, Option3, Option4;
  Control Label1, Combo1, Label2, Total_stake;
  Line Line1;
  Control Label9, Label4, Label5, Label8, Label6;
  std::array<HorseRow, kRowCount> rows;
  Line Line2;
  Control cmd_calculate2, cmd_close, Label7;

  Results results = Results::None;

  int height = 0;       // outer height in twips, title bar and menu bar included
  std::string thisURL;  // the address the browser window loads
  Platform platform;

  friend bool operator==(const Form1&, const Form1&) = default;
};

// The window as laid out, before Form_Load.
Form1 MakeForm1(Platform platform = {});

// Layout rule for a new height: buttons 1550 above the bottom edge, the line
// 100 above them, the address label 550 below their top.
void ResizeMainWindow(Form1& f, int height);

// Form_Load's steps before the settings: the start-up height, row 0 alone.
void LayOutForStartUp(Form1& f);

// The notation whose button is selected; Decimal when none is.
Notation SelectedNotation(const Form1& f);

// An edit since the last Calculate: figures shown are no longer the answer.
void MarkResultsOutOfDate(Form1& f);

void ShowRow(HorseRow& row);
void HideRow(HorseRow& row);

}  // namespace stakora
