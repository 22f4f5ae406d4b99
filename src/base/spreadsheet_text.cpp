#include "base/spreadsheet_text.h"

namespace quintora::base {

namespace {

bool is_separator(char c) { return c == ',' || c == ';' || c == '\t'; }

}  // namespace

bool starts_formula(char c) { return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r'; }

std::string without_formulas(std::string_view text, Cells cells) {
  std::string out;
  out.reserve(text.size() + 2);
  bool cell_start = cells != Cells::SplitInside;
  for (const char c : text) {
    if (cell_start && c != ' ' && c != '"') {
      if (starts_formula(c)) out += '\'';
      cell_start = false;
    }
    out += c;
    if (cells != Cells::Whole && is_separator(c)) cell_start = true;
  }
  return out;
}

}  // namespace quintora::base
