#include "schedule/schedule_writer.h"

#include <string>
#include <string_view>

#include "base/spreadsheet_text.h"
#include "schedule/text_format.h"

namespace quintora::schedule {

namespace {

// A name or title in the comma-delimited form. The file has no quoting, so a
// line end inside it would start a new row: it is written as a blank.
std::string spreadsheet_text(std::string_view text, base::Cells cells) {
  std::string line(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return base::without_formulas(line, cells);
}

}  // namespace

std::string schedule_text(const season::Season& season, bool comma_delimited) {
  std::string out;
  out.reserve(64 + season.weeks.size() * (16 + 14 * season.teams.size() / 2) + season.teams.size() * 40);
  out += "\n\n     ";
  out += comma_delimited ? spreadsheet_text(season.title, base::Cells::SplitAtStart) : season.title;
  out += "\n\n";

  const char separator = comma_delimited ? ',' : ' ';
  for (const season::Week& week : season.weeks) {
    append_format(out, "   Week%3d:%c ", week.number, separator);
    for (const season::Match& match : week.matches) {
      append_format(out, "%3d at%3d%c   ", match.home, match.away, separator);
    }
    for (int team : week.not_playing) append_format(out, "  Not Playing:%3d", team);
    out += '\n';
  }

  out += '\n';
  int number = 0;
  for (const season::Team& team : season.teams) {
    append_format(out, "      %3d: ", ++number);
    out += comma_delimited ? spreadsheet_text(team.name, base::Cells::SplitInside) : team.name;
    out += '\n';
  }
  return out;
}

}  // namespace quintora::schedule
