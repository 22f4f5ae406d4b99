// Fairest with divisions and unavailable dates: 100 teams in 4 divisions,
// bar-mates in different divisions or together, 200 weeks, up to 30 dates a
// bar or a team cannot host; and the county example in four divisions
// (examples/county-divisions.sch), Fairest against effort 4. The counters
// give what the season misses, its breaks and the fewest possible.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <memory>
#include <string>

#include "league/league_file.h"
#include "report/fairness.h"
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

void run_season(benchmark::State& state, const league::League& league,
                const schedule::ScheduleOptions& options) {
  std::size_t misses = 0;
  report::Fairness fairness;
  for (auto _ : state) {
    auto run = std::make_unique<schedule::ScheduleRun>();
    if (!run->build_season(league, options).ok()) state.SkipWithError("the run failed");
    misses = run->notices().size();
    fairness = report::assess(run->season());
  }
  int over = 0;
  for (const report::BarLine& bar : fairness.bars) over += bar.weeks_over_tables;
  state.counters["notices"] = static_cast<double>(misses);
  state.counters["breaks"] = fairness.total_breaks;
  state.counters["fewest"] = fairness.minimum_breaks;
  state.counters["over_tables"] = over;
  state.counters["dates_missed"] = static_cast<double>(fairness.unavailable_missed.size());
}

void BM_FairestDivisions(benchmark::State& state) {
  const auto league = league_of_divisions(state.range(0) != 0, static_cast<int>(state.range(1)));
  run_season(state, *league, schedule::options_for({schedule::ScheduleMethod::Kind::Fairest, 1}, 200));
}
BENCHMARK(BM_FairestDivisions)
    ->Args({0, 0})
    ->Args({0, 30})
    ->Args({1, 0})
    ->Args({1, 30})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// The county example in four divisions at its default length (two passes of
// its largest division, 50 weeks) and in longer seasons; the first argument
// is 0 for Fairest, 1 for effort 4, the second the weeks.
void BM_CountyInDivisions(benchmark::State& state) {
  league::League league;
  base::Notices notices;
  if (league::read_league_file(league, QUINTORA_EXAMPLES "/county-divisions.sch", league::ReadMode::Open,
                               notices) != league::ReadResult::Success) {
    state.SkipWithError("cannot read examples/county-divisions.sch");
    return;
  }
  const auto kind = state.range(0) == 0 ? schedule::ScheduleMethod::Kind::Fairest
                                        : schedule::ScheduleMethod::Kind::SearchHardest;
  run_season(state, league, schedule::options_for({kind, 1}, static_cast<int>(state.range(1))));
}
BENCHMARK(BM_CountyInDivisions)
    ->ArgsProduct({{0, 1}, {50, 100, 200}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
