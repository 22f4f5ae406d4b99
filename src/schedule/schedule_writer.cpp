#include "schedule/schedule_writer.h"

#include <algorithm>
#include <cstddef>
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
  // A section per division, headed by its name; one division has no heading.
  const std::size_t sections = std::max<std::size_t>(season.divisions.size(), 1);
  for (std::size_t d = 1; d <= sections; ++d) {
    if (!season.divisions.empty()) {
      if (d > 1) out += '\n';
      out += "     ";
      out += comma_delimited ? spreadsheet_text(season.divisions[d - 1], base::Cells::SplitAtStart)
                             : season.divisions[d - 1];
      out += "\n\n";
    }
    auto shown = [&](int team) {
      return season.divisions.empty() ||
             (team >= 1 && static_cast<std::size_t>(team) <= season.teams.size() &&
              static_cast<std::size_t>(season.team(team).division) == d);
    };
    for (const season::Week& week : season.weeks) {
      append_format(out, "   Week%3d:%c ", week.number, separator);
      for (const season::Match& match : week.matches) {
        if (shown(match.home)) append_format(out, "%3d at%3d%c   ", match.home, match.away, separator);
      }
      for (int team : week.not_playing) {
        if (shown(team)) append_format(out, "  Not Playing:%3d", team);
      }
      out += '\n';
    }
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
