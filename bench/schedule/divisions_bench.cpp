// Fairest with divisions and unavailable dates: 100 teams in 4 divisions,
// bar-mates in different divisions, 200 weeks, 30 dates a bar or a team
// cannot host. The counters give what the season misses and its breaks.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <memory>
#include <string>

#include "schedule/schedule_run.h"

namespace {

using namespace quintora;

// 40 bars of two or three teams (100 in all), one table for two teams and two
// for three; a bar's teams in consecutive divisions when `split`, else all in
// the bar's own; weekly from 2027-01-05, every seventh week closed at a bar
// and every seventh (from the fourth) a home match denied to a team.
std::unique_ptr<league::League> league_of_divisions(bool split, int n_dates) {
  auto league = std::make_unique<league::League>();
  league->stored_title.assign("Divisions Benchmark");
  league->division.n_division = 4;
  for (std::size_t d = 0; d < 4; ++d) league->division.name[d].assign("Division " + std::to_string(d + 1));
  int team = 0;
  for (int b = 0; b < 40; ++b) {
    const auto p = static_cast<std::size_t>(b);
    const int teams = b < 20 ? 3 : 2;
    league->bar.number[p] = b + 1;
    league->bar.name[p].assign("Bar " + std::to_string(b + 1));
    league->bar.n_team_this_bar[p] = teams;
    league->bar.n_table_this_bar[p] = (teams + 1) / 2;
    for (int k = 0; k < teams; ++k, ++team) {
      const auto t = static_cast<std::size_t>(team);
      league->team.bar_number[t] = b + 1;
      league->team.name[t].assign("Team " + std::to_string(team + 1));
      league->team.division[t] = 1 + (split ? (b + k) % 4 : b % 4);
    }
  }
  league->n_bar = league->n_bar_slot = 40;
  league->n_team = league->n_team_slot = team;
  league->calendar = league::Calendar{};
  league->calendar->first = {2027, 1, 5};
  for (int e = 0; e < n_dates; ++e) {
    const bool bar = e % 2 == 0;
    const int week = bar ? 7 * (e / 2) : 3 + 7 * (e / 2);
    league->unavailable.entry[static_cast<std::size_t>(e)] = {
        bar ? league::UnavailableKind::Bar : league::UnavailableKind::Team, (11 * e) % (bar ? 40 : 100),
        base::civil_from_days(base::days_from_civil({2027, 1, 5}) + 7 * week)};
  }
  league->unavailable.n_entry = n_dates;
  return league;
}

void BM_FairestDivisions(benchmark::State& state) {
  const auto league = league_of_divisions(state.range(0) != 0, static_cast<int>(state.range(1)));
  const schedule::ScheduleOptions options =
      schedule::options_for({schedule::ScheduleMethod::Kind::Fairest, 1}, 200);
  std::size_t misses = 0;
  for (auto _ : state) {
    auto run = std::make_unique<schedule::ScheduleRun>();
    if (!run->build_season(*league, options).ok()) state.SkipWithError("the run failed");
    misses = run->notices().size();
    benchmark::DoNotOptimize(run->season().weeks.data());
  }
  state.counters["notices"] = static_cast<double>(misses);
}
BENCHMARK(BM_FairestDivisions)
    ->Args({0, 0})
    ->Args({0, 30})
    ->Args({1, 0})
    ->Args({1, 30})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
