#include "schedule/season_builder.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>

#include "schedule/schedule_options.h"
#include "schedule/text_format.h"

namespace quintora::schedule {

season::Season build_season(const league::League& league, const RoundTable& table, const RoundOrder& order,
                            int season_weeks, const std::optional<league::Calendar>& calendar) {
  season::Season s;
  s.title = std::string(league.stored_title.view());
  const int n_bar = std::clamp(league.n_bar, 0, league::bar_room);
  for (int p = 0; p < n_bar; ++p) {
    s.bars.push_back({std::string(league.bar.name[at(p)].view()), league.bar.n_table_this_bar[at(p)],
                      std::string(league.bar.address[at(p)].view()),
                      std::string(league.bar.phone[at(p)].view()), league.bar.start[at(p)]});
  }
  const int n_team = std::clamp(league.n_team, 0, league::team_room);
  for (int t = 0; t < n_team; ++t) {
    s.teams.push_back({std::string(league.team.name[at(t)].view()), league.team.bar_number[at(t)], 1});
  }
  s.calendar = calendar;
  s.rounds_per_pass = table.nweek;
  if (table.nweek < 1) return s;

  const int weeks = std::clamp(season_weeks, 0, max_season_weeks);
  const std::vector<base::Date> dates = calendar ? match_dates(*calendar, weeks) : std::vector<base::Date>{};
  s.weeks.reserve(static_cast<std::size_t>(weeks));
  for (int w = 0; w < weeks; ++w) {
    const int pass = w / table.nweek + 1;
    const int r = order.round[at(w % table.nweek + 1)];
    season::Week week;
    week.number = w + 1;
    if (static_cast<std::size_t>(w) < dates.size()) week.date = dates[static_cast<std::size_t>(w)];
    for (int slot = table.first_real_slot; slot <= table.nmatch; ++slot) {
      int home = table.A[at(slot)][at(r)];
      int away = table.B[at(slot)][at(r)];
      // Every second pass is the same round with home and away exchanged.
      if (pass % 2 == 0) std::swap(home, away);
      week.matches.push_back({home, away});
    }
    // In an odd league slot 1 pairs the dummy with the team that sits out.
    if (table.first_real_slot == 2)
      week.not_playing.push_back(std::min(table.A[1][at(r)], table.B[1][at(r)]));
    s.weeks.push_back(std::move(week));
  }
  return s;
}

}  // namespace quintora::schedule
