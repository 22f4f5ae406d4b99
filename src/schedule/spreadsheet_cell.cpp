#include "schedule/spreadsheet_cell.h"

namespace quintora::schedule {

std::string spreadsheet_text(std::string_view text, bool begins_cell) {
  std::string out;
  out.reserve(text.size() + 4);
  bool cell_start = begins_cell;
  for (char c : text) {
    if (c == '\r' || c == '\n') c = ' ';
    if (cell_start && c != ' ' && c != '\t') {
      if (c == '=' || c == '+' || c == '-' || c == '@') out += '\'';
      cell_start = false;
    }
    out += c;
    if (c == ',') cell_start = true;
  }
  return out;
}

}  // namespace quintora::schedule
