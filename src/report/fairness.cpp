// Stand-in for the fairness report until the report library lands: the
// counts of fairness.h, enough for the season window to build and run.
#include "report/fairness.h"

#include <algorithm>
#include <cstddef>

namespace quintora::report {

namespace {

enum class Side { None, Home, Away };

}  // namespace

Fairness assess(const season::Season& season) {
  Fairness f;
  const std::size_t n = season.teams.size();
  std::vector<Side> last(n, Side::None);
  std::vector<int> run(n, 0);
  for (std::size_t t = 0; t < n; ++t) {
    f.teams.push_back({static_cast<int>(t + 1), season.teams[t].name, 0, 0, 0, 0, 0, 0});
  }
  for (std::size_t b = 0; b < season.bars.size(); ++b) {
    f.bars.push_back({static_cast<int>(b + 1), season.bars[b].name, season.bars[b].tables, 0, 0});
  }
  const auto valid = [n](int team) { return team >= 1 && static_cast<std::size_t>(team) <= n; };
  const auto play = [&](int team, Side side) {
    const auto t = static_cast<std::size_t>(team - 1);
    TeamLine& line = f.teams[t];
    (side == Side::Home ? line.home : line.away) += 1;
    if (last[t] == side) {
      ++line.breaks;
      ++run[t];
    } else {
      run[t] = 1;
    }
    last[t] = side;
    int& longest = side == Side::Home ? line.longest_home_run : line.longest_away_run;
    longest = std::max(longest, run[t]);
  };
  for (const season::Week& week : season.weeks) {
    std::vector<int> hosted(season.bars.size(), 0);
    for (const season::Match& m : week.matches) {
      if (!valid(m.home) || !valid(m.away)) continue;
      play(m.home, Side::Home);
      play(m.away, Side::Away);
      const int bar = season.team(m.home).bar;
      if (bar >= 1 && static_cast<std::size_t>(bar) <= hosted.size())
        ++hosted[static_cast<std::size_t>(bar - 1)];
    }
    if (valid(week.not_playing)) ++f.teams[static_cast<std::size_t>(week.not_playing - 1)].byes;
    for (std::size_t b = 0; b < hosted.size(); ++b) {
      BarLine& line = f.bars[b];
      line.most_in_a_week = std::max(line.most_in_a_week, hosted[b]);
      if (hosted[b] > line.tables) ++line.weeks_over_tables;
    }
  }
  for (const TeamLine& line : f.teams) f.total_breaks += line.breaks;
  f.minimum_breaks =
      minimum_breaks(static_cast<int>(n), season.rounds_per_pass, static_cast<int>(season.weeks.size()));
  return f;
}

int minimum_breaks(int n_team, int rounds_per_pass, int weeks) {
  if (n_team < 2 || rounds_per_pass < 1 || weeks < rounds_per_pass) return 0;
  const int passes = weeks / rounds_per_pass;
  return n_team % 2 == 0 ? (2 * passes - 1) * (n_team - 2) : (passes - 1) * n_team;
}

}  // namespace quintora::report
