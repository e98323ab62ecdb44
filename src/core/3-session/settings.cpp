#include "settings.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "horse_count.h"
#include "number_text.h"
#include "options.h"
#include "settings_file.h"

namespace stakora {
namespace {

constexpr std::array<OptionId, 5> kOptionLines{OptionId::Option1_0, OptionId::Option1_1,
                                               OptionId::Option2, OptionId::Option3,
                                               OptionId::Option4};
constexpr std::size_t kFieldCount = 7;

struct Field {
  std::string text;
  bool quoted = false;
};

// Fields, not lines: a comma or a line end ends a field, spaces before a field
// are skipped, and a quoted field runs to the next quote. Fewer than seven
// fields is error 62.
std::optional<std::array<Field, kFieldCount>> SplitFields(std::string_view in) {
  std::array<Field, kFieldCount> fields;
  std::size_t i = 0;
  auto at_line_end = [&] { return in[i] == '\r' || in[i] == '\n'; };
  for (Field& field : fields) {
    while (i < in.size() && in[i] == ' ') ++i;
    if (i >= in.size()) return std::nullopt;
    if (in[i] == '"') {
      field.quoted = true;
      const auto close = in.find('"', i + 1);
      field.text = in.substr(i + 1, close == in.npos ? in.npos : close - i - 1);
      i = close == in.npos ? in.size() : close + 1;
      while (i < in.size() && in[i] != ',' && !at_line_end()) ++i;  // ignored up to the delimiter
    } else {
      const std::size_t start = i;
      while (i < in.size() && in[i] != ',' && !at_line_end()) ++i;
      field.text = in.substr(start, i - start);
    }
    if (i < in.size()) {
      if (in[i] == '\r' && i + 1 < in.size() && in[i + 1] == '\n') ++i;
      ++i;
    }
  }
  return fields;
}

// "true"/"false" in any case, or a number (non-zero is true); else error 13.
std::optional<bool> ToBool(const Field& field, char sep) {
  const std::string word = AsciiLower(field.text);
  if (word == "true") return true;
  if (word == "false") return false;
  if (const auto v = ReadNumber(field.text, sep)) return *v != 0;
  return std::nullopt;
}

// Applies the fields in file order; returns 0 or the error number at which it stopped.
ReportNumber Apply(Form1& f, const std::array<Field, kFieldCount>& fields) {
  const char sep = f.platform.decimal_separator;
  for (std::size_t line = 0; line < kOptionLines.size(); ++line) {
    const auto value = ToBool(fields[line], sep);
    if (!value) return ReportNumber::TypeMismatch;
    if (*value) {
      SelectOption(f, kOptionLines[line]);
    } else {
      ClearOption(f, kOptionLines[line]);
    }
  }

  // A bare number is stored in its shortest form: 03 becomes 3.
  const Field& count = fields[5];
  if (!count.quoted && IsNumeric(count.text, sep)) {
    const double n = *ReadNumber(count.text, sep);
    if (!HasNumberText(n)) return ReportNumber::Overflow;
    f.Combo1.text = NumberText(n, sep);
  } else {
    f.Combo1.text = count.text;
  }

  const auto amount = ReadNumber(fields[6].text, sep);
  if (!amount) return ReportNumber::TypeMismatch;
  // Times 100, then divided by 100, in double precision with no rounding
  // between: the stored amount is kept as the file says it, and a figure so
  // large that the product overflows is refused rather than written as infinity.
  const double cents = *amount * 100 / 100;
  if (!HasNumberText(cents)) return ReportNumber::Overflow;
  f.Total_stake.text = NumberText(cents, sep);

  return Combo1_Click(f);
}

// A control's text as one line of the file. A quoted field may have brought a
// line break in; written as it stands it would split its line and push the
// amount out of the seventh. A NUL would make the file read as binary, never
// to be read or saved again.
std::string OneLine(std::string text) {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }, ' ');
  return text;
}

void Report(Ui& ui, ReportNumber error) {
  if (error != ReportNumber::None) ui.ShowErrorNumber(error);
}

}  // namespace

std::string SettingsPath(const Form1& f) {
  return f.platform.SettingsFolder() + "/config.txt";
}

std::string SettingsText(const Form1& f) {
  std::string out;
  for (OptionId line : kOptionLines)
    out += OptionControl(f, line).selected ? "true\r\n" : "false\r\n";
  out += OneLine(f.Combo1.text) + "\r\n";
  out += OneLine(f.Total_stake.text) + "\r\n";
  return out;
}

void SaveSettings(Form1& f, Ui& ui) {
  // A program whose folder the system cannot tell has no settings file: the
  // path would otherwise name a file at the root of the disk.
  if (f.platform.SettingsFolder().empty()) return Report(ui, ReportNumber::PathNotFound);
  Report(ui, ReplaceSettingsFile(SettingsPath(f), SettingsText(f)));
}

ReportNumber ApplySettings(Form1& f, std::string_view bytes) {
  const auto fields = SplitFields(bytes);
  return fields ? Apply(f, *fields) : ReportNumber::InputPastEnd;
}

void LoadSettings(Form1& f, Ui& ui) {
  if (f.platform.SettingsFolder().empty()) return Report(ui, ReportNumber::PathNotFound);
  const FileBytes file = ReadSettingsFile(SettingsPath(f));
  Report(ui, file.error != ReportNumber::None ? file.error : ApplySettings(f, file.bytes));
}

}  // namespace stakora
