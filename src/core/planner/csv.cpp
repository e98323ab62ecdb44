#include "csv.h"

namespace stakora::plan {

std::string CsvLine(const std::vector<std::string>& cells) {
  std::string out;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i) out += ',';
    const std::string& c = cells[i];
    if (c.find_first_of(",\"\r\n") == std::string::npos) {
      out += c;
      continue;
    }
    out += '"';
    for (char ch : c) out += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    out += '"';
  }
  return out + "\r\n";
}

namespace {

// The length of the UTF-8 sequence at text[i], or 0 when it is not one.
std::size_t Utf8Length(std::string_view text, std::size_t i) {
  const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char c = at(i);
  if (c < 0x80) return 1;
  std::size_t n = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
  if (n == 0 || i + n > text.size()) return 0;
  for (std::size_t k = 1; k < n; ++k)
    if ((at(i + k) & 0xC0) != 0x80) return 0;
  // No overlong forms, no surrogates, nothing past U+10FFFF.
  const unsigned char d = at(i + 1);
  if ((c == 0xE0 && d < 0xA0) || (c == 0xED && d >= 0xA0) || (c == 0xF0 && d < 0x90) ||
      (c == 0xF4 && d >= 0x90))
    return 0;
  return n;
}

}  // namespace

std::string CsvProblem(std::size_t line, const std::string& what) {
  return "Line " + std::to_string(line) + ": " + what;
}

Result<std::vector<CsvRecord>, std::string> ReadCsv(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::vector<CsvRecord> out;
  std::size_t line = 1, i = 0;
  while (i < text.size()) {
    CsvRecord& r = out.emplace_back(CsvRecord{line, {std::string()}});
    const std::size_t opened = line;
    bool quoted = false, closed = false;
    for (; i < text.size(); ++i) {
      const char c = text[i];
      if (c == '\0') {
        return CsvProblem(line, "a NUL byte: this is not a text file");
      } else if (const std::size_t n = Utf8Length(text, i); n == 0) {
        return CsvProblem(line, "this is not UTF-8 text; save the file as UTF-8");
      } else if (n > 1) {
        if (closed) return CsvProblem(line, "text follows a closing quote");
        r.cells.back() += text.substr(i, n);
        i += n - 1;
        continue;
      }
      if (quoted) {
        if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
          r.cells.back() += '"';
          ++i;
        } else if (c == '"') {
          quoted = false, closed = true;
        } else {
          if (c == '\n') ++line;
          r.cells.back() += c;
        }
      } else if (c == ',') {
        r.cells.emplace_back();
        closed = false;
      } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
        i += c == '\r' ? 2 : 1;
        ++line;
        break;
      } else if (closed) {
        return CsvProblem(line, "text follows a closing quote");
      } else if (c == '"' && r.cells.back().empty()) {
        quoted = true;
      } else {
        r.cells.back() += c;
      }
    }
    if (quoted) return CsvProblem(opened, "a quote is opened and never closed");
  }
  return out;
}

}  // namespace stakora::plan
