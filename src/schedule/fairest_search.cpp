#include "schedule/fairest_search.h"

#include <algorithm>
#include <cadical.hpp>
#include <cstddef>
#include <map>
#include <utility>

#include "schedule/fairest.h"
#include "schedule/schedule_options.h"
#include "schedule/text_format.h"

namespace quintora::schedule {

namespace {

// Each solve stops after this many conflicts: enough for the largest league,
// and a count, so the result is the same on every machine.
constexpr int conflicts_per_solve = 300000;
// The most constraints given up one at a time before the search settles for
// its first placement.
constexpr int max_drops = 400;

std::size_t ix(int i) { return static_cast<std::size_t>(i); }

// The side of every position of a division's circle in every round, with
// the teams placed on their own positions: 1 home, -1 away, 0 bye.
struct Circle {
  int n_real = 0;  // positions 0..n_real - 1 take real teams; an odd division's dummy stands after them
  int nweek = 0;
  std::vector<signed char> side;  // [k * (nweek + 1) + r]
  int of(int k, int r) const { return side[ix(k * (nweek + 1) + r)]; }
};

Circle circle_of(int n_team) {
  CirclePlacement identity;
  identity.odd = n_team % 2 == 1;
  identity.n = n_team + n_team % 2;
  for (int k = 0; k < identity.n; ++k) identity.team_at[ix(k)] = k + 1;
  RoundTable table;
  play_placement(table, identity);
  Circle circle{n_team, table.nweek, std::vector<signed char>(ix(identity.n * (table.nweek + 1)), 0)};
  for (int r = 1; r <= table.nweek; ++r) {
    for (int slot = table.first_real_slot; slot <= table.nmatch; ++slot) {
      circle.side[ix((table.A[at(slot)][at(r)] - 1) * (table.nweek + 1) + r)] = 1;
      circle.side[ix((table.B[at(slot)][at(r)] - 1) * (table.nweek + 1) + r)] = -1;
    }
  }
  return circle;
}

class Cancel : public CaDiCaL::Terminator {
 public:
  explicit Cancel(const std::atomic<bool>* flag) : flag_(flag) {}
  bool terminate() override { return flag_ && flag_->load(); }

 private:
  const std::atomic<bool>* flag_;
};

// The placement problem: p(team, k) when the team stands on position k of
// its division's circle; home(team, round, pass parity) is implied by the
// positions that host in that round. A constraint that may be given up
// carries an activation literal in every clause.
class Placement {
 public:
  explicit Placement(const std::vector<DivisionPart>& parts) : parts_(parts) {
    for (std::size_t d = 0; d < parts.size(); ++d) {
      circles_.push_back(circle_of(parts[d].league->n_team));
      for (int local = 1; local <= parts[d].league->n_team; ++local) {
        Team team;
        team.part = static_cast<int>(d);
        team.local = local;
        team.first_var = next_var_ + 1;
        next_var_ += circles_.back().n_real;
        team.home.assign(ix(2 * (circles_.back().nweek + 1)), 0);
        teams_[ix(parts[d].league_team[ix(local - 1)] - 1)] = std::move(team);
      }
      one_team_a_position(static_cast<int>(d));
    }
  }

  CaDiCaL::Solver& solver() { return solver_; }
  int new_var() { return ++next_var_; }
  int p(int team, int k) const { return teams_[ix(team - 1)].first_var + k; }

  // The literal of `team` hosting in week w (0-based).
  int home(int team, int w) {
    Team& t = teams_[ix(team - 1)];
    const Circle& circle = circles_[ix(t.part)];
    const int parity = (w / circle.nweek) % 2;
    const int r = w % circle.nweek + 1;
    int& h = t.home[ix(2 * r + parity)];
    if (h == 0) {
      h = new_var();
      const int hosting = parity == 0 ? 1 : -1;
      for (int k = 0; k < circle.n_real; ++k) {
        if (circle.of(k, r) == hosting) clause({-p(team, k), h});
      }
    }
    return h;
  }

  void clause(std::initializer_list<int> lits, int act = 0) {
    for (int lit : lits) solver_.add(lit);
    if (act != 0) solver_.add(-act);
    solver_.add(0);
  }

  // At most `most` of lits true, by a sequential counter.
  void at_most(const std::vector<int>& lits, int most, int act) {
    const int n = static_cast<int>(lits.size());
    if (most >= n) return;
    if (most <= 0) {
      for (int lit : lits) clause({-lit}, act);
      return;
    }
    if (most == n - 1) {
      for (int lit : lits) solver_.add(-lit);
      if (act != 0) solver_.add(-act);
      solver_.add(0);
      return;
    }
    std::vector<int> before(ix(most)), now(ix(most));
    for (int i = 0; i < n; ++i) {
      const int x = lits[ix(i)];
      for (int j = 0; j < most; ++j) now[ix(j)] = new_var();
      clause({-x, now[0]}, act);
      if (i == 0) {
        for (int j = 1; j < most; ++j) clause({-now[ix(j)]}, act);
      } else {
        clause({-before[0], now[0]}, act);
        for (int j = 1; j < most; ++j) {
          clause({-x, -before[ix(j - 1)], now[ix(j)]}, act);
          clause({-before[ix(j)], now[ix(j)]}, act);
        }
        clause({-x, -before[ix(most - 1)]}, act);
      }
      std::swap(before, now);
    }
  }

  // The division's placement from the solver's answer.
  CirclePlacement placement_of(int d) {
    const DivisionPart& part = parts_[ix(d)];
    CirclePlacement placement;
    placement.odd = part.league->n_team % 2 == 1;
    placement.n = part.league->n_team + part.league->n_team % 2;
    if (placement.odd) placement.team_at[ix(placement.n - 1)] = placement.n;
    for (int local = 1; local <= part.league->n_team; ++local) {
      const int team = part.league_team[ix(local - 1)];
      for (int k = 0; k < circles_[ix(d)].n_real; ++k) {
        if (solver_.val(p(team, k)) > 0) placement.team_at[ix(k)] = local;
      }
    }
    return placement;
  }

  // Starts the solver from Fairest's own placement of each division.
  void prefer(int variant) {
    for (std::size_t d = 0; d < parts_.size(); ++d) {
      const CirclePlacement own = fairest_placement(*parts_[d].league, variant);
      for (int local = 1; local <= parts_[d].league->n_team; ++local) {
        const int team = parts_[d].league_team[ix(local - 1)];
        for (int k = 0; k < circles_[d].n_real; ++k)
          solver_.phase(own.team_at[ix(k)] == local ? p(team, k) : -p(team, k));
      }
    }
  }

 private:
  struct Team {
    int part = 0;
    int local = 0;
    int first_var = 0;      // p(team, k) = first_var + k
    std::vector<int> home;  // [2 * round + parity]: its variable, 0 until needed
  };

  void one_team_a_position(int d) {
    const DivisionPart& part = parts_[ix(d)];
    const int n = circles_[ix(d)].n_real;
    for (int local = 1; local <= n; ++local) {
      std::vector<int> lits;
      for (int k = 0; k < n; ++k) lits.push_back(p(part.league_team[ix(local - 1)], k));
      exactly_one(lits);
    }
    for (int k = 0; k < n; ++k) {
      std::vector<int> lits;
      for (int local = 1; local <= n; ++local) lits.push_back(p(part.league_team[ix(local - 1)], k));
      exactly_one(lits);
    }
  }

  void exactly_one(const std::vector<int>& lits) {
    for (int lit : lits) solver_.add(lit);
    solver_.add(0);
    at_most(lits, 1, 0);
  }

  const std::vector<DivisionPart>& parts_;
  CaDiCaL::Solver solver_;
  int next_var_ = 0;
  std::vector<Circle> circles_;
  std::vector<Team> teams_ = std::vector<Team>(ix(league::team_room));
};

// The teams of each bar, in team order.
std::vector<std::vector<int>> teams_by_bar(const league::League& league) {
  std::vector<std::vector<int>> bars(ix(league.n_bar + 1));
  for (int t = 0; t < league.n_team; ++t) bars[ix(league.team.bar_number[at(t)])].push_back(t + 1);
  return bars;
}

// Every tables-week (each different one once) and every unavailable date as a
// constraint that can be given up; the dates come last, so they give way first.
std::vector<int> add_constraints(Placement& model, const league::League& league, int weeks,
                                 const std::vector<UnavailableWeek>& unavailable) {
  std::vector<int> acts;
  const auto bars = teams_by_bar(league);
  for (int b = 1; b <= league.n_bar; ++b) {
    const int tables = league.bar.n_table_this_bar[at(b - 1)];
    if (static_cast<int>(bars[ix(b)].size()) <= tables) continue;
    std::map<std::vector<int>, bool> seen;
    for (int w = 0; w < weeks; ++w) {
      std::vector<int> lits;
      for (int team : bars[ix(b)]) lits.push_back(model.home(team, w));
      std::sort(lits.begin(), lits.end());
      if (!seen.emplace(lits, true).second) continue;
      acts.push_back(model.new_var());
      model.at_most(lits, tables, acts.back());
    }
  }
  for (const UnavailableWeek& entry : unavailable) {
    if (entry.week < 1 || entry.week > weeks) continue;
    acts.push_back(model.new_var());
    if (entry.kind == league::UnavailableKind::Bar) {
      for (int team : bars[ix(entry.number)]) model.clause({-model.home(team, entry.week - 1)}, acts.back());
    } else {
      model.clause({-model.home(entry.number, entry.week - 1)}, acts.back());
    }
  }
  return acts;
}

// Whether the parts' tables keep every promise, counted on their weeks.
bool keeps_promises(const league::League& league, const std::vector<DivisionPart>& parts, int weeks,
                    const std::vector<UnavailableWeek>& unavailable) {
  const season::Season s = build_division_season(league, parts, weeks, std::nullopt);
  for (const season::Week& week : s.weeks) {
    std::vector<int> hosted(ix(league.n_bar + 1), 0);
    for (const season::Match& match : week.matches) ++hosted[ix(s.team(match.home).bar)];
    for (int b = 1; b <= league.n_bar; ++b)
      if (hosted[ix(b)] > league.bar.n_table_this_bar[at(b - 1)]) return false;
    for (const UnavailableWeek& entry : unavailable) {
      if (entry.week != week.number) continue;
      for (const season::Match& match : week.matches) {
        const bool bar = entry.kind == league::UnavailableKind::Bar;
        if ((bar && s.team(match.home).bar == entry.number) || (!bar && match.home == entry.number))
          return false;
      }
    }
  }
  return true;
}

void fill_parts(std::vector<DivisionPart>& parts, Placement* model, int variant) {
  for (std::size_t d = 0; d < parts.size(); ++d) {
    const CirclePlacement placement =
        model ? model->placement_of(static_cast<int>(d)) : fairest_placement(*parts[d].league, variant);
    play_placement(parts[d].table, placement);
    parts[d].order = table_order(parts[d].table.nweek);
  }
}

}  // namespace

FairestSearch place_fairest(std::vector<DivisionPart>& parts, const league::League& league, int variant,
                            int season_weeks, const std::vector<UnavailableWeek>& unavailable,
                            const SearchControl& control) {
  const int weeks = std::clamp(season_weeks, 0, max_season_weeks);
  fill_parts(parts, nullptr, variant);
  if (keeps_promises(league, parts, weeks, unavailable)) return FairestSearch::Placed;

  auto report = [&](double done) {
    if (control.progress) control.progress(done);
  };
  report(0.05);
  Placement model(parts);
  Cancel cancel(control.cancel);
  model.solver().connect_terminator(&cancel);
  std::vector<int> acts = add_constraints(model, league, weeks, unavailable);
  model.prefer(variant);
  std::vector<bool> dropped(acts.size(), false);
  int drops = 0;
  for (;;) {
    for (std::size_t i = 0; i < acts.size(); ++i) model.solver().assume(dropped[i] ? -acts[i] : acts[i]);
    model.solver().limit("conflicts", conflicts_per_solve);
    const int result = model.solver().solve();
    report(1.0 - 1.0 / (drops + 2));
    if (control.cancel && control.cancel->load()) return FairestSearch::Cancelled;
    if (result == 10) {
      fill_parts(parts, &model, variant);
      report(1.0);
      return drops == 0 ? FairestSearch::Searched : FairestSearch::Missed;
    }
    // Give up the latest constraint of the conflict; none, or no answer in the
    // count: Fairest's own placement stands.
    std::size_t give_up = acts.size();
    if (result == 20 && drops < max_drops) {
      for (std::size_t i = acts.size(); i-- > 0;) {
        if (!dropped[i] && model.solver().failed(acts[i])) {
          give_up = i;
          break;
        }
      }
    }
    if (give_up == acts.size()) {
      report(1.0);
      return FairestSearch::Missed;
    }
    dropped[give_up] = true;
    ++drops;
  }
}

}  // namespace quintora::schedule
