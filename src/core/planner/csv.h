#pragma once
// Comma-separated text as spreadsheets write and read it: a cell with a
// comma, a quote or a line end is quoted, its quotes doubled.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "result.h"

namespace stakora::plan {

// One line of cells, ended by CR LF as spreadsheets expect.
std::string CsvLine(const std::vector<std::string>& cells);

// A record and the line of the text it starts on, counted from one.
struct CsvRecord {
  std::size_t line = 0;
  std::vector<std::string> cells;
};

// The records of a text, a blank line as a record of one empty cell. A
// leading byte order mark is dropped; line ends are LF or CR LF, and a quoted
// cell may hold them. A quote left open, text after a closing quote, a NUL
// or bytes that are not UTF-8 are refused as "Line N: ...".
Result<std::vector<CsvRecord>, std::string> ReadCsv(std::string_view text);

// "Line N: what", as every reader of such a file says a problem.
std::string CsvProblem(std::size_t line, const std::string& what);

}  // namespace stakora::plan
