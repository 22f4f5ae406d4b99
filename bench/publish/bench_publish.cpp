// The printable page of the largest league, 99 teams in 33 bars over a
// dated 200-week Fairest season: as HTML, and as a PDF of some 600 pages
// (drawn through Qt, so main keeps a PrintingApplication), for the whole
// league and for one team.

#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <memory>
#include <string>

#include "publish/pdf/pdf.h"
#include "publish/publish.h"
#include "schedule/fairest.h"
#include "schedule/round_table.h"
#include "schedule/season_builder.h"

namespace {

using namespace quintora;

// Bars with names of pub length, three teams each, two tables.
std::unique_ptr<league::League> largest_league() {
  constexpr std::array<const char*, 11> pubs = {
      "Red Lion", "White Hart",     "Royal Oak",  "Coach and Horses", "Crown", "Three Horseshoes",
      "Plough",   "Rose and Crown", "Black Bull", "Saracen's Head",   "Swan"};
  constexpr std::array<const char*, 3> towns = {"Ashby", "Bramley", "Cheriton"};
  constexpr std::array<const char*, 3> sides = {" A", " B", " Vets"};
  auto league = std::make_unique<league::League>();
  league->stored_title.assign("Benchmark County League - Season 2026/27");
  for (int b = 0; b < 33; ++b) {
    const auto p = static_cast<std::size_t>(b);
    const std::string pub = pubs[p % pubs.size()] + std::string(" ") + towns[p / pubs.size()];
    league->bar.number[p] = b + 1;
    league->bar.name[p].assign("The " + pub);
    league->bar.n_team_this_bar[p] = 3;
    league->bar.n_table_this_bar[p] = 2;
    for (std::size_t k = 0; k < 3; ++k) {
      league->team.bar_number[3 * p + k] = b + 1;
      league->team.name[3 * p + k].assign(pub + sides[k]);
    }
  }
  league->n_bar = league->n_bar_slot = 33;
  league->n_team = league->n_team_slot = 99;
  return league;
}

season::Season largest_season() {
  const auto league = largest_league();
  auto table = std::make_unique<schedule::RoundTable>();
  schedule::build_fairest_table(*table, *league, 1);
  league::Calendar calendar;
  calendar.first = {2026, 9, 1};
  calendar.start = {19, 45};
  return schedule::build_season(*league, *table, schedule::table_order(table->nweek), 200, calendar);
}

template <publish::Output (*make)(const season::Season&, const publish::Options&)>
void run(benchmark::State& state) {
  const season::Season season = largest_season();
  publish::Options options;
  options.team = static_cast<int>(state.range(0));
  std::size_t bytes = 0;
  for (auto _ : state) {
    const publish::Output out = make(season, options);
    if (out.result != publish::Result::Ok) {
      state.SkipWithError("the page was not made");
      break;
    }
    bytes = out.bytes.size();
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}

publish::Output pdf(const season::Season& season, const publish::Options& options) {
  return publish::printable_pdf(season, options);
}

void BM_PrintableHtml(benchmark::State& state) { run<publish::printable_html>(state); }
BENCHMARK(BM_PrintableHtml)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PrintablePdf(benchmark::State& state) { run<pdf>(state); }
BENCHMARK(BM_PrintablePdf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  const quintora::publish::PrintingApplication application;  // offscreen: no display needed
  if (!application.ok()) return 1;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
