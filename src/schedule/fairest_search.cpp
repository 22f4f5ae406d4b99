#include "schedule/fairest_search.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <limits>
#include <map>
#include <optional>
#include <utility>

#include "schedule/fairest.h"
#include "schedule/fairest_models.h"
#include "schedule/schedule_options.h"
#include "schedule/text_format.h"

namespace quintora::schedule {

namespace {

// Each solve stops after this many conflicts, a count, so the result is the
// same on every machine. The placement, whose every answer has the fewest
// breaks, is tried briefly; the orientation, which always has one where the
// dates allow, gets longer.
constexpr int placement_conflicts = 20000;
constexpr int orientation_conflicts = 250000;
// Each solve of one stretch of weeks, and all of them together, when the
// placements are chosen pass by pass.
constexpr int stretch_conflicts = 20000;
constexpr long pass_placement_conflicts = 400000;
// Each solve of the hosts around a stretch the placements gave up.
constexpr int window_conflicts = 50000;
// Each solve that lowers the breaks of an answer already found.
constexpr int bound_conflicts = 30000;
// The most constraints given up one at a time before the search settles for
// Fairest's own placement.
constexpr int max_drops = 400;
// The most solves of the orientation with bounds on the breaks: a solve
// that fails raises only the bounds of the conflict it found, and many teams
// may need a break more.
constexpr int bound_rounds = 100;

std::size_t ix(int i) { return static_cast<std::size_t>(i); }

// The teams of each bar, in team order.
std::vector<std::vector<int>> teams_by_bar(const league::League& league) {
  std::vector<std::vector<int>> bars(ix(league.n_bar + 1));
  for (int t = 0; t < league.n_team; ++t) bars[ix(league.team.bar_number[at(t)])].push_back(t + 1);
  return bars;
}

// Every tables-week (each different one once) and every unavailable date of
// weeks first .. last - 1 (0-based) as a constraint that can be given up; the
// dates come last, so they give way first.
std::vector<int> add_constraints(HomeModel& model, const league::League& league, int first, int last,
                                 const std::vector<UnavailableWeek>& unavailable, int* n_dates = nullptr) {
  SatModel& sat = model.sat();
  std::vector<int> acts;
  const auto bars = teams_by_bar(league);
  for (int b = 1; b <= league.n_bar; ++b) {
    const int tables = league.bar.n_table_this_bar[at(b - 1)];
    if (static_cast<int>(bars[ix(b)].size()) <= tables) continue;
    std::map<std::vector<int>, bool> seen;
    for (int w = first; w < last; ++w) {
      std::vector<int> lits;
      for (int team : bars[ix(b)]) {
        if (const int h = model.home(team, w); h != 0) lits.push_back(h);
      }
      std::sort(lits.begin(), lits.end());
      if (static_cast<int>(lits.size()) <= tables || !seen.emplace(lits, true).second) continue;
      acts.push_back(sat.new_var());
      sat.at_most(lits, tables, acts.back());
    }
  }
  const std::size_t n_tables = acts.size();
  for (const UnavailableWeek& entry : unavailable) {
    if (entry.week <= first || entry.week > last) continue;
    acts.push_back(sat.new_var());
    const bool bar = entry.kind == league::UnavailableKind::Bar;
    for (int team : bar ? bars[ix(entry.number)] : std::vector<int>{entry.number}) {
      if (const int h = model.home(team, entry.week - 1); h != 0) sat.clause({-h}, acts.back());
    }
  }
  if (n_dates) *n_dates = static_cast<int>(acts.size() - n_tables);
  return acts;
}

// Solves with every constraint, giving up the latest one of each conflict
// until an answer is found. True with an answer; `dropped` counts what was
// given up.
std::optional<SatModel::Answer> solve_dropping(SatModel& sat, const std::vector<int>& acts, int conflicts,
                                               bool may_drop, int& dropped, const SearchControl& control,
                                               double from, double to) {
  std::vector<bool> given_up(acts.size(), false);
  dropped = 0;
  for (;;) {
    std::vector<int> assumptions;
    for (std::size_t i = 0; i < acts.size(); ++i) assumptions.push_back(given_up[i] ? -acts[i] : acts[i]);
    const SatModel::Answer answer = sat.solve(assumptions, conflicts);
    if (control.progress) control.progress(from + (to - from) * (1.0 - 1.0 / (dropped + 2)));
    if (answer != SatModel::Answer::Unsatisfied || !may_drop || dropped >= max_drops) return answer;
    std::size_t give_up = acts.size();
    for (std::size_t i = acts.size(); i-- > 0;) {
      if (!given_up[i] && sat.failed(acts[i])) {
        give_up = i;
        break;
      }
    }
    if (give_up == acts.size()) return answer;
    given_up[give_up] = true;
    ++dropped;
  }
}

// What the parts' season misses, counted on its weeks: each bar-week over
// its tables and each date not kept.
int count_misses(const league::League& league, const std::vector<DivisionPart>& parts, int weeks,
                 const std::vector<UnavailableWeek>& unavailable) {
  const season::Season s = build_division_season(league, parts, weeks, std::nullopt);
  int misses = 0;
  for (const season::Week& week : s.weeks) {
    std::vector<int> hosted(ix(league.n_bar + 1), 0);
    for (const season::Match& match : week.matches) ++hosted[ix(s.team(match.home).bar)];
    for (int b = 1; b <= league.n_bar; ++b)
      misses += hosted[ix(b)] > league.bar.n_table_this_bar[at(b - 1)] ? 1 : 0;
    for (const UnavailableWeek& entry : unavailable) {
      if (entry.week != week.number) continue;
      const bool bar = entry.kind == league::UnavailableKind::Bar;
      misses += std::any_of(week.matches.begin(), week.matches.end(), [&](const season::Match& match) {
        return bar ? s.team(match.home).bar == entry.number : match.home == entry.number;
      });
    }
  }
  return misses;
}

// Orientation, first with the constraints alone, giving up the latest one of
// each conflict until the rest hold; then the same with each team's breaks in
// each pass bounded by those of the circle's own hosts, a conflict raising
// the bounds it involves, for a few rounds: the answer with bounds when one
// comes, else the first.
std::optional<std::vector<std::vector<std::vector<season::Match>>>> solve_orientation(
    OrientationModel& model, const std::vector<DivisionPart>& parts, const std::vector<int>& acts,
    const std::vector<int>& held, bool may_drop, int conflicts, int& dropped, const SearchControl& control,
    double from, double to) {
  SatModel& sat = model.sat();
  std::vector<bool> given_up(acts.size(), false);
  auto answer_of = [&] {
    std::vector<std::vector<std::vector<season::Match>>> hosts;
    for (std::size_t d = 0; d < parts.size(); ++d) hosts.push_back(model.matches_of(static_cast<int>(d)));
    return hosts;
  };
  auto kept = [&] {
    std::vector<int> assumptions;
    for (std::size_t i = 0; i < acts.size(); ++i) assumptions.push_back(given_up[i] ? -acts[i] : acts[i]);
    assumptions.insert(assumptions.end(), held.begin(), held.end());
    return assumptions;
  };
  dropped = 0;
  for (;;) {
    const SatModel::Answer answer = sat.solve(kept(), conflicts);
    if (control.progress) control.progress(from + (to - from) * 0.5 * (1.0 - 1.0 / (dropped + 2)));
    if (answer == SatModel::Answer::Satisfied) break;
    if (answer == SatModel::Answer::Unknown || !may_drop || dropped >= max_drops) return std::nullopt;
    std::size_t give_up = acts.size();
    for (std::size_t i = acts.size(); i-- > 0;) {
      if (!given_up[i] && sat.failed(acts[i])) {
        give_up = i;
        break;
      }
    }
    if (give_up == acts.size()) return std::nullopt;
    given_up[give_up] = true;
    ++dropped;
  }
  auto best = answer_of();
  for (int round = 0; round < bound_rounds; ++round) {
    std::vector<int> assumptions = kept();
    for (const BreakBound& bound : model.bounds()) {
      if (const int lit = bound.literal(); lit != 0) assumptions.push_back(lit);
    }
    const SatModel::Answer answer = sat.solve(assumptions, bound_conflicts);
    if (control.progress) control.progress(from + (to - from) * (0.5 + 0.5 * (round + 1) / bound_rounds));
    if (answer == SatModel::Answer::Satisfied) return answer_of();
    if (answer == SatModel::Answer::Unknown) break;
    bool raised = false;
    for (BreakBound& bound : model.bounds()) {
      if (const int lit = bound.literal(); lit != 0 && sat.failed(lit)) {
        ++bound.level;
        raised = true;
      }
    }
    if (!raised) break;
  }
  return best;
}

void fill_placed(std::vector<DivisionPart>& parts, PlacementModel* model, int variant) {
  for (std::size_t d = 0; d < parts.size(); ++d) {
    const CirclePlacement placement =
        model ? model->placement_of(static_cast<int>(d)) : fairest_placement(*parts[d].league, variant);
    play_placement(parts[d].table, placement);
    parts[d].order = table_order(parts[d].table.nweek);
  }
}

// The weeks in which every division plays its first pass.
int first_pass_weeks(const std::vector<DivisionPart>& parts, int weeks) {
  int first = weeks;
  for (const DivisionPart& part : parts) first = std::min(first, part.table.nweek);
  return first;
}

// Each division's hosts week by week from a placement of each of its passes
// (the odd passes exchanged); the first pass's table stands for the rounds.
void fill_passes(std::vector<DivisionPart>& parts, PlacementModel& model, int weeks) {
  for (std::size_t d = 0; d < parts.size(); ++d) {
    DivisionPart& part = parts[d];
    play_placement(part.table, model.placement_of(static_cast<int>(d), 0));
    part.order = table_order(part.table.nweek);
    part.hosts.assign(ix(weeks), {});
    RoundTable table;
    for (int w = 0; w < weeks && part.table.nweek > 0; ++w) {
      const int pass = w / part.table.nweek;
      if (w % part.table.nweek == 0) play_placement(table, model.placement_of(static_cast<int>(d), pass));
      const int r = w % table.nweek + 1;
      for (int slot = table.first_real_slot; slot <= table.nmatch; ++slot) {
        int home = part.league_team[ix(table.A[at(slot)][at(r)] - 1)];
        int away = part.league_team[ix(table.B[at(slot)][at(r)] - 1)];
        if (pass % 2 == 1) std::swap(home, away);
        part.hosts[ix(w)].push_back({home, away});
      }
    }
  }
}

// The weeks, in order, at which some division's pass ends, and the last.
std::vector<int> pass_ends(const std::vector<DivisionPart>& parts, int weeks) {
  std::vector<int> ends{weeks};
  for (const DivisionPart& part : parts) {
    for (int end = part.table.nweek; part.table.nweek > 0 && end < weeks; end += part.table.nweek)
      ends.push_back(end);
  }
  std::sort(ends.begin(), ends.end());
  ends.erase(std::unique(ends.begin(), ends.end()), ends.end());
  return ends;
}

bool cancelled(const SearchControl& control) { return control.cancel && control.cancel->load(); }

// One search: the parts and what they must keep.
struct Search {
  std::vector<DivisionPart>& parts;
  const league::League& league;
  int variant = 1;
  int weeks = 0;
  const std::vector<UnavailableWeek>& unavailable;
  const SearchControl& control;
  // The weeks [first, last) of each stretch whose dates or tables the pass
  // placements gave up.
  std::vector<std::pair<int, int>> given_up;

  // A placement keeping every promise for the whole season: its passes
  // mirror, with the fewest breaks.
  bool placement(double from, double to) {
    SatModel sat(control.cancel);
    PlacementModel model(sat, parts);
    const std::vector<int> acts = add_constraints(model, league, 0, weeks, unavailable);
    model.prefer(variant);
    int dropped = 0;
    if (solve_dropping(sat, acts, placement_conflicts, false, dropped, control, from, to) !=
        SatModel::Answer::Satisfied)
      return false;
    fill_placed(parts, &model, variant);
    return true;
  }

  // A placement for each pass: every pass still has the fewest breaks within
  // it; only where one gives way to the next may a team break where mirrored
  // passes would not, or not break where they would. With `by_stretch`,
  // solved a stretch of weeks at a time, each ending where a division's pass
  // does: each stretch first with the passes that ended before the stretch
  // before it held as found, so that a long season costs about the same for
  // each stretch (their placements no longer change what later stretches can
  // do), and when that fails with every pass free, the solver keeping what
  // it learnt. Else the season at once. Each solve within its own count.
  bool pass_placements(bool by_stretch, double from, double to) {
    SatModel sat(control.cancel);
    PlacementModel model(sat, parts, weeks);
    model.prefer(variant);
    const std::vector<int> ends = by_stretch ? pass_ends(parts, weeks) : std::vector<int>{weeks};
    std::vector<int> acts;  // as assumed: a constraint given up stands negated
    std::vector<int> held;  // the placements of the passes ended before the last stretch began
    int begin = 0;
    for (std::size_t i = 0; i < ends.size(); ++i) {
      int n_dates = 0;
      const std::vector<int> more = add_constraints(model, league, begin, ends[i], unavailable, &n_dates);
      acts.insert(acts.end(), more.begin(), more.end());
      SatModel::Answer answer = solve_stretch(sat, acts, held, by_stretch);
      // A stretch that cannot be kept gives up its dates, then its tables;
      // the hosts around it are chosen again week by week.
      for (const std::size_t give_up : {static_cast<std::size_t>(n_dates), more.size()}) {
        if (answer == SatModel::Answer::Satisfied || !by_stretch || give_up == 0) continue;
        for (std::size_t a = acts.size() - give_up; a < acts.size(); ++a) acts[a] = -std::abs(acts[a]);
        if (given_up.empty() || given_up.back().first != begin) given_up.push_back({begin, ends[i]});
        answer = solve_stretch(sat, acts, held, by_stretch);
      }
      if (control.progress)
        control.progress(from + (to - from) * static_cast<double>(i + 1) / static_cast<double>(ends.size()));
      if (answer != SatModel::Answer::Satisfied) return false;
      held = model.placed_by(begin);
      begin = ends[i];
    }
    fill_passes(parts, model, weeks);
    return true;
  }

  // One stretch: first with the held placements, then with every pass free.
  SatModel::Answer solve_stretch(SatModel& sat, const std::vector<int>& acts, const std::vector<int>& held,
                                 bool by_stretch) const {
    SatModel::Answer answer = SatModel::Answer::Unknown;
    if (sat.conflicts() >= pass_placement_conflicts) return answer;
    if (!held.empty()) {
      std::vector<int> assumptions = acts;
      assumptions.insert(assumptions.end(), held.begin(), held.end());
      answer = sat.solve(assumptions, stretch_conflicts);
    }
    if (answer != SatModel::Answer::Satisfied && sat.conflicts() < pass_placement_conflicts)
      answer = sat.solve(acts, by_stretch ? stretch_conflicts : placement_conflicts);
    return answer;
  }

  // Fairest's own tables with hosts chosen for one pass, every second pass
  // exchanging them: the passes still mirror, every promise kept.
  bool mirrored_hosts(double from, double to) {
    SatModel sat(control.cancel);
    OrientationModel model(sat, parts, weeks, true);
    const std::vector<int> acts = add_constraints(model, league, 0, weeks, unavailable);
    model.prefer();
    int dropped = 0;
    const auto hosts =
        solve_orientation(model, parts, acts, {}, false, placement_conflicts, dropped, control, from, to);
    if (!hosts) return false;
    for (std::size_t d = 0; d < parts.size(); ++d) parts[d].hosts = (*hosts)[d];
    return true;
  }

  // The tables of a placement that keeps every promise while each division
  // plays its first pass, when there is one: the hosts chosen week by week
  // start from them (Fairest's own placements, blind to the other
  // divisions, leave that search too far from any answer).
  void first_pass_placement(double from, double to) {
    SatModel sat(control.cancel);
    PlacementModel model(sat, parts);
    const std::vector<int> acts =
        add_constraints(model, league, 0, first_pass_weeks(parts, weeks), unavailable);
    model.prefer(variant);
    int dropped = 0;
    if (solve_dropping(sat, acts, placement_conflicts, false, dropped, control, from, to) ==
        SatModel::Answer::Satisfied)
      fill_placed(parts, &model, variant);
  }

  // Each division's matches of every week, chosen week by week, and how many
  // constraints they gave up.
  struct Hosts {
    std::vector<std::vector<std::vector<season::Match>>> of_part;
    int dropped = 0;
  };

  // The hosts of every week on the tables as they stand, giving up what must
  // give way; with a `window`, only its weeks, every other week held as it
  // stands.
  // Nothing when no answer came.
  std::optional<Hosts> hosts_week_by_week(double from, double to,
                                          const std::pair<int, int>* window = nullptr) {
    SatModel sat(control.cancel);
    OrientationModel model(sat, parts, weeks);
    const std::vector<int> acts = window ? add_constraints(model, league, std::max(0, window->first),
                                                           std::min(weeks, window->second), unavailable)
                                         : add_constraints(model, league, 0, weeks, unavailable);
    model.prefer();
    Hosts hosts;
    const std::vector<int> held = window ? model.as_they_stand(*window) : std::vector<int>{};
    auto answer =
        solve_orientation(model, parts, acts, held, true, window ? window_conflicts : orientation_conflicts,
                          hosts.dropped, control, from, to);
    if (!answer || cancelled(control)) return std::nullopt;
    hosts.of_part = std::move(*answer);
    return hosts;
  }

  // The parts take the hosts when there are some (else keep their own).
  FairestSearch take(std::optional<Hosts> hosts) {
    if (cancelled(control)) return FairestSearch::Cancelled;
    if (!hosts) return FairestSearch::Missed;
    for (std::size_t d = 0; d < parts.size(); ++d) parts[d].hosts = std::move(hosts->of_part[d]);
    return hosts->dropped == 0 ? FairestSearch::Searched : FairestSearch::Missed;
  }

  // What a search step fills in each part, to go back to.
  struct Filled {
    RoundTable table;
    RoundOrder order;
    std::vector<std::vector<season::Match>> hosts;
  };
  std::vector<Filled> filled() const {
    std::vector<Filled> all;
    for (const DivisionPart& part : parts) all.push_back({part.table, part.order, part.hosts});
    return all;
  }
  void refill(std::vector<Filled>& all) {
    for (std::size_t d = 0; d < parts.size(); ++d) {
      parts[d].table = all[d].table;
      parts[d].order = all[d].order;
      parts[d].hosts = std::move(all[d].hosts);
    }
  }

  // Runs another search on the parts and keeps its season when it misses
  // fewer than `missed`; what the kept season misses.
  template <typename Step>
  int keep_if_fewer(int missed, Step&& step) {
    std::vector<Filled> before = filled();
    step();
    if (cancelled(control)) return missed;
    const int now = count_misses(league, parts, weeks, unavailable);
    if (now < missed) return now;
    refill(before);
    return missed;
  }

  // Each stretch the pass placements gave up, in turn: the hosts of the weeks
  // around it chosen again, every other week held as it is. The season's
  // misses after.
  int repair(double from, double to) {
    int longest = 0;
    for (const DivisionPart& part : parts) longest = std::max(longest, part.table.nweek);
    const double step = (to - from) / static_cast<double>(given_up.size());
    for (std::size_t i = 0; i < given_up.size() && !cancelled(control); ++i) {
      const std::pair<int, int> window{given_up[i].first - longest, given_up[i].second + longest};
      const double at = from + step * static_cast<double>(i);
      take(hosts_week_by_week(at, at + step, &window));
    }
    return count_misses(league, parts, weeks, unavailable);
  }
};

}  // namespace

FairestSearch place_fairest(std::vector<DivisionPart>& parts, const league::League& league, int variant,
                            int season_weeks, const std::vector<UnavailableWeek>& unavailable,
                            const SearchControl& control) {
  Search search{parts,       league,  variant, std::clamp(season_weeks, 0, max_season_weeks),
                unavailable, control, {}};
  fill_placed(parts, nullptr, variant);
  if (count_misses(league, parts, search.weeks, unavailable) == 0) return FairestSearch::Placed;
  if (control.progress) control.progress(0.0);
  auto done = [&](FairestSearch result) {
    if (control.progress && result != FairestSearch::Cancelled) control.progress(1.0);
    return result;
  };
  // The fewest breaks with mirrored passes, then mirrored passes, then
  // passes of their own, then each week on its own.
  if (search.placement(0.0, 0.1)) return done(FairestSearch::Searched);
  if (cancelled(control)) return FairestSearch::Cancelled;
  if (search.mirrored_hosts(0.1, 0.2)) return done(FairestSearch::Searched);
  if (cancelled(control)) return FairestSearch::Cancelled;
  if (search.pass_placements(true, 0.2, 0.3)) {
    if (search.given_up.empty()) return done(FairestSearch::Searched);
    int missed = search.repair(0.3, 0.5);
    // Hosts chosen week by week for the whole season, on these passes, then
    // on the first pass's circles, may miss less at the cost of breaks: the
    // season that misses least is kept.
    if (missed > 0)
      missed = search.keep_if_fewer(missed, [&] { search.take(search.hosts_week_by_week(0.5, 0.7)); });
    if (missed > 0) {
      missed = search.keep_if_fewer(missed, [&] {
        for (DivisionPart& part : parts) part.hosts.clear();
        fill_placed(parts, nullptr, variant);
        search.first_pass_placement(0.7, 0.8);
        search.take(search.hosts_week_by_week(0.8, 1.0));
      });
    }
    if (cancelled(control)) return FairestSearch::Cancelled;
    return done(missed == 0 ? FairestSearch::Searched : FairestSearch::Missed);
  }
  if (cancelled(control)) return FairestSearch::Cancelled;
  if (search.pass_placements(false, 0.3, 0.4)) return done(FairestSearch::Searched);
  if (cancelled(control)) return FairestSearch::Cancelled;
  search.first_pass_placement(0.4, 0.5);
  if (cancelled(control)) return FairestSearch::Cancelled;
  return done(search.take(search.hosts_week_by_week(0.5, 1.0)));
}

}  // namespace quintora::schedule
