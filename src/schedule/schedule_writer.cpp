#include "schedule/schedule_writer.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>

#include "schedule/spreadsheet_cell.h"
#include "schedule/text_format.h"

namespace quintora::schedule {

void write_header(std::string& out, std::string_view title, bool comma_delimited) {
  out += "\n\n     ";
  out += comma_delimited ? spreadsheet_text(title, true) : std::string(title);
  out += "\n\n";
}

void write_season(std::string& out, const RoundTable& table, const RoundOrder& order, int season_weeks,
                  bool comma_delimited) {
  if (table.nweek < 1) return;
  const char separator = comma_delimited ? ',' : ' ';
  int w = 0;
  for (int pass = 1;; ++pass) {
    for (int k = 1; k <= table.nweek; ++k) {
      if (w >= season_weeks) return;
      ++w;
      const int r = order.round[at(k)];
      append_format(out, "   Week%3d:%c ", w, separator);
      for (int s = table.odd; s <= table.nmatch; ++s) {
        int host = table.A[at(s)][at(r)];
        int visitor = table.B[at(s)][at(r)];
        if (pass % 2 == 0) std::swap(host, visitor);
        append_format(out, "%3d at%3d%c   ", host, visitor, separator);
      }
      if (table.odd == 2) {
        append_format(out, "  Not Playing:%3d", std::min(table.A[1][at(r)], table.B[1][at(r)]));
      }
      out += '\n';
    }
  }
}

void write_legend(std::string& out, const League& league, bool comma_delimited) {
  out += '\n';
  const int n_team = std::clamp(league.n_team, 0, team_room);
  for (int t = 1; t <= n_team; ++t) {
    append_format(out, "      %3d: ", t);
    const std::string_view name = league.team.name[at(t - 1)].view();
    out += comma_delimited ? spreadsheet_text(name, false) : std::string(name);
    out += '\n';
  }
}

}  // namespace quintora::schedule
