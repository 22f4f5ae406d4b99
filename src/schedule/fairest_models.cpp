#include "schedule/fairest_models.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "schedule/text_format.h"

namespace quintora::schedule {

namespace {
std::size_t ix(int i) { return static_cast<std::size_t>(i); }
}  // namespace

// ---- Placement ----

PlacementModel::Circle PlacementModel::circle_of(int n_team) {
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

PlacementModel::PlacementModel(SatModel& sat, const std::vector<DivisionPart>& parts, int weeks)
    : HomeModel(sat), parts_(parts), per_pass_(weeks > 0), teams_(ix(league::team_room)) {
  for (std::size_t d = 0; d < parts.size(); ++d) {
    const int n = parts[d].league->n_team;
    circles_.push_back(circle_of(n));
    const int nweek = std::max(1, circles_.back().nweek);
    const int placements = per_pass_ ? (weeks + nweek - 1) / nweek : 1;
    for (int local = 1; local <= n; ++local) {
      Team& team = teams_[ix(parts[d].league_team[ix(local - 1)] - 1)];
      team.part = static_cast<int>(d);
      for (int q = 0; q < placements; ++q) team.first_var.push_back(sat_.new_vars(n));
      team.home.assign(ix(std::max(2, placements) * (nweek + 1)), 0);
    }
    // In each placement each team on one position, each position taken by one team.
    for (int q = 0; q < placements; ++q) {
      for (int a = 0; a < n; ++a) {
        std::vector<int> of_team, of_position;
        for (int b = 0; b < n; ++b) {
          of_team.push_back(p(parts[d].league_team[ix(a)], q, b));
          of_position.push_back(p(parts[d].league_team[ix(b)], q, a));
        }
        sat_.exactly_one(of_team);
        sat_.exactly_one(of_position);
      }
    }
  }
}

int PlacementModel::home(int team, int w) {
  Team& t = teams_[ix(team - 1)];
  const Circle& circle = circles_[ix(t.part)];
  const int pass = w / circle.nweek;
  const int parity = pass % 2;
  const int q = per_pass_ ? pass : 0;
  const int r = w % circle.nweek + 1;
  int& h = t.home[ix((per_pass_ ? pass : parity) * (circle.nweek + 1) + r)];
  if (h == 0) {
    h = sat_.new_var();
    const int hosting = parity == 0 ? 1 : -1;
    for (int k = 0; k < circle.n_real; ++k) {
      if (circle.of(k, r) == hosting) sat_.clause({-p(team, q, k), h});
    }
  }
  return h;
}

void PlacementModel::prefer(int variant) {
  for (std::size_t d = 0; d < parts_.size(); ++d) {
    const CirclePlacement own = fairest_placement(*parts_[d].league, variant);
    for (int local = 1; local <= parts_[d].league->n_team; ++local) {
      const int team = parts_[d].league_team[ix(local - 1)];
      for (std::size_t q = 0; q < teams_[ix(team - 1)].first_var.size(); ++q) {
        for (int k = 0; k < circles_[d].n_real; ++k) {
          const int lit = p(team, static_cast<int>(q), k);
          sat_.prefer(own.team_at[ix(k)] == local ? lit : -lit);
        }
      }
    }
  }
}

CirclePlacement PlacementModel::placement_of(int part, int pass) {
  const DivisionPart& division = parts_[ix(part)];
  CirclePlacement placement;
  placement.odd = division.league->n_team % 2 == 1;
  placement.n = division.league->n_team + division.league->n_team % 2;
  if (placement.odd) placement.team_at[ix(placement.n - 1)] = placement.n;
  for (int local = 1; local <= division.league->n_team; ++local) {
    const int team = division.league_team[ix(local - 1)];
    for (int k = 0; k < circles_[ix(part)].n_real; ++k) {
      if (sat_.value(p(team, per_pass_ ? pass : 0, k))) placement.team_at[ix(k)] = local;
    }
  }
  return placement;
}

std::vector<int> PlacementModel::placed_by(int end) {
  std::vector<int> placed;
  for (std::size_t d = 0; d < parts_.size(); ++d) {
    const int nweek = std::max(1, circles_[d].nweek);
    for (int team : parts_[d].league_team) {
      const Team& t = teams_[ix(team - 1)];
      for (int q = 0; ix(q) < t.first_var.size() && (q + 1) * nweek <= end; ++q) {
        for (int k = 0; k < circles_[d].n_real; ++k) {
          if (sat_.value(p(team, q, k))) placed.push_back(p(team, q, k));
        }
      }
    }
  }
  return placed;
}

// ---- Orientation ----

namespace {

// The matches of every week as they stand: the part's own hosts when it has
// them, else its table, exchanged in every second pass.
std::vector<std::vector<season::Match>> base_matches(const DivisionPart& part, int weeks) {
  if (!part.hosts.empty()) return part.hosts;
  const RoundTable& t = part.table;
  std::vector<std::vector<season::Match>> base(ix(weeks));
  for (int w = 0; w < weeks && t.nweek > 0; ++w) {
    const int r = w % t.nweek + 1;
    for (int slot = t.first_real_slot; slot <= t.nmatch; ++slot) {
      int home = part.league_team[ix(t.A[at(slot)][at(r)] - 1)];
      int away = part.league_team[ix(t.B[at(slot)][at(r)] - 1)];
      if ((w / t.nweek) % 2 == 1) std::swap(home, away);
      base[ix(w)].push_back({home, away});
    }
  }
  return base;
}

}  // namespace

OrientationModel::OrientationModel(SatModel& sat, const std::vector<DivisionPart>& parts, int weeks,
                                   bool mirrored)
    : HomeModel(sat), parts_(parts), weeks_(weeks), mirrored_(mirrored), host_(ix(league::team_room)) {
  for (std::size_t d = 0; d < parts.size(); ++d) {
    const RoundTable& t = parts[d].table;
    base_.push_back(base_matches(parts[d], weeks));
    first_var_.push_back(sat_.new_vars(std::max(1, weeks * t.nmatch)));
    std::vector<std::vector<Game>> games(ix(league::team_room));
    for (int team : parts[d].league_team) host_[ix(team - 1)].assign(ix(weeks), 0);
    for (int w = 0; w < weeks; ++w) {
      const auto& week = base_.back()[ix(w)];
      for (std::size_t m = 0; m < week.size(); ++m) {
        const int o = variable(static_cast<int>(d), w, static_cast<int>(m));
        for (const auto& [team, lit] : {std::pair{week[m].home, o}, std::pair{week[m].away, -o}}) {
          host_[ix(team - 1)][ix(w)] = lit;
          games[ix(team - 1)].push_back({w, lit, team == week[m].home});
        }
      }
    }
    for (int team : parts[d].league_team) {
      const std::vector<Game>& mine = games[ix(team - 1)];
      for (int pass = 0; pass * t.nweek < weeks; ++pass) {
        // A pass cut short by the season's end is no round-robin: its home
        // games are free (holding them too can leave no season at all).
        if ((pass + 1) * t.nweek > weeks || (pass > 0 && mirrored)) continue;
        std::vector<int> hosts;
        for (const Game& g : mine) {
          if (g.week / t.nweek == pass) hosts.push_back(g.host);
        }
        balance(hosts);
      }
      count_breaks(static_cast<int>(d), mine);
    }
  }
}

// "The week's m-th match is played as it stands"; with mirrored passes one
// variable for a round of every pass, its sign exchanged in every second.
int OrientationModel::variable(int part, int w, int m) const {
  const RoundTable& t = parts_[ix(part)].table;
  if (!mirrored_) return first_var_[ix(part)] + w * t.nmatch + m;
  const int o = first_var_[ix(part)] + (w % t.nweek) * t.nmatch + m;
  return (w / t.nweek) % 2 == 0 ? o : -o;
}

// Home games within one of away games at the end of the pass, and never
// more than `drift` apart on the way: the difference after each game as
// states, each implied by the one before and the game's side.
void OrientationModel::balance(const std::vector<int>& hosts) {
  constexpr int drift = 3;
  if (hosts.size() < 2) return;
  std::vector<int> state(2 * drift + 1, 0);  // [difference + drift]: its variable, 0 unreachable
  state[drift] = sat_.new_var();
  sat_.clause({state[drift]});
  for (int h : hosts) {
    std::vector<int> next(2 * drift + 1, 0);
    for (int d = -drift; d <= drift; ++d) {
      const int now = state[ix(d + drift)];
      if (now == 0) continue;
      for (const int step : {1, -1}) {
        const int side = step == 1 ? h : -h;
        if (d + step < -drift || d + step > drift) {
          sat_.clause({-now, -side});
          continue;
        }
        int& to = next[ix(d + step + drift)];
        if (to == 0) to = sat_.new_var();
        sat_.clause({-now, -side, to});
      }
    }
    state = std::move(next);
  }
  const int most = static_cast<int>(hosts.size() % 2);
  for (int d = -drift; d <= drift; ++d) {
    if (state[ix(d + drift)] != 0 && (d > most || d < -most)) sat_.clause({-state[ix(d + drift)]});
  }
}

// A break literal for each two games running on the same side, counted per
// pass of the second game; the bound starts at the count of the start.
void OrientationModel::count_breaks(int part, const std::vector<Game>& games) {
  const int nweek = parts_[ix(part)].table.nweek;
  std::size_t i = 1;
  for (int pass = 0; pass * nweek < weeks_; ++pass) {
    std::vector<int> breaks;
    int at_start = 0;
    for (; i < games.size() && games[i].week < (pass + 1) * nweek; ++i) {
      const int a = games[i - 1].host;
      const int b = games[i].host;
      const int broken = sat_.new_var();
      sat_.clause({-a, -b, broken});
      sat_.clause({a, b, broken});
      breaks.push_back(broken);
      at_start += games[i - 1].as_it_stands == games[i].as_it_stands ? 1 : 0;
    }
    if (breaks.empty()) continue;
    bounds_.push_back({sat_.counter(breaks, std::min(static_cast<int>(breaks.size()), max_bound)), at_start});
  }
}

int OrientationModel::home(int team, int w) { return host_[ix(team - 1)][ix(w)]; }

std::vector<int> OrientationModel::as_they_stand(std::pair<int, int> window) const {
  std::vector<int> held;
  for (int w = 0; w < weeks_; ++w) {
    const bool inside = window.first <= w && w < window.second;
    for (std::size_t d = 0; d < parts_.size() && !inside; ++d) {
      for (std::size_t m = 0; m < base_[d][ix(w)].size(); ++m)
        held.push_back(variable(static_cast<int>(d), w, static_cast<int>(m)));
    }
  }
  return held;
}

void OrientationModel::prefer() {
  for (std::size_t d = 0; d < parts_.size(); ++d) {
    for (int w = 0; w < weeks_; ++w) {
      for (std::size_t m = 0; m < base_[d][ix(w)].size(); ++m)
        sat_.prefer(variable(static_cast<int>(d), w, static_cast<int>(m)));
    }
  }
}

std::vector<std::vector<season::Match>> OrientationModel::matches_of(int part) {
  std::vector<std::vector<season::Match>> matches = base_[ix(part)];
  for (int w = 0; w < weeks_; ++w) {
    for (std::size_t m = 0; m < matches[ix(w)].size(); ++m) {
      season::Match& match = matches[ix(w)][m];
      if (!sat_.value(variable(part, w, static_cast<int>(m)))) std::swap(match.home, match.away);
    }
  }
  return matches;
}

}  // namespace quintora::schedule
