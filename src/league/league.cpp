#include "league/league.h"

#include <cstddef>

#include "base/index.h"
#include "base/text_compare.h"

namespace quintora::league {

namespace {

using base::at;

bool valid_bar(const League& league, int p) { return p >= 0 && p < league.n_bar_slot && p < bar_room; }
bool valid_team(const League& league, int t) { return t >= 0 && t < league.n_team_slot && t < team_room; }

// A deleted bar or team takes its unavailable dates with it.
void drop_unavailable(League& league, UnavailableKind kind, int position) {
  std::int32_t kept = 0;
  for (const Unavailable& entry : unavailable_entries(league)) {
    if (entry.kind != kind || entry.position != position) league.unavailable.entry[at(kept++)] = entry;
  }
  league.unavailable.n_entry = kept;
}

}  // namespace

void clear_league(League& league) {
  for (std::size_t p = 0; p < bar_room; ++p) {
    league.bar.number[p] = 0;
    league.bar.name[p].clear();
    league.bar.n_team_this_bar[p] = 0;
    league.bar.n_table_this_bar[p] = 0;
    league.bar.address[p].clear();
    league.bar.phone[p].clear();
    league.bar.start[p].reset();
  }
  for (std::size_t t = 0; t < team_room; ++t) {
    league.team.bar_number[t] = 0;
    league.team.name[t].clear();
    league.team.division[t] = 0;
  }
  league.stored_title.clear();
  league.gap_of_position_night = 0;
  league.n_bar_slot = 0;
  league.n_bar = 0;
  league.n_team_slot = 0;
  league.n_team = 0;
  league.file_state = FileState::Untitled;
  league.calendar.reset();
  league.division = DivisionTable{};
  league.unavailable.n_entry = 0;
  // current_file_path stays: nothing reads it until the next Save As sets it.
}

int find_bar(const League& league, std::string_view name) {
  for (int p = 0; p < league.n_bar_slot && p < bar_room; ++p) {
    if (bar_is_live(league, p) && base::equal_ignoring_case(league.bar.name[at(p)].view(), name)) return p;
  }
  return no_position;
}

int find_team(const League& league, std::string_view name) {
  for (int t = 0; t < league.n_team_slot && t < team_room; ++t) {
    if (team_is_live(league, t) && base::equal_ignoring_case(league.team.name[at(t)].view(), name)) return t;
  }
  return no_position;
}

void mark_modified(League& league) {
  if (league.file_state == FileState::Saved) {
    league.file_state = FileState::Modified;
  } else if (league.file_state == FileState::Untitled) {
    league.file_state = FileState::UntitledModified;
  }
}

int add_bar(League& league, std::string_view name) {
  // Deleted entries keep their room until a save compacts the league.
  if (league.n_bar_slot < 0 || league.n_bar_slot >= bar_room) return no_position;
  const int p = league.n_bar_slot;
  league.bar.number[at(p)] = p + 1;
  league.bar.name[at(p)].assign(name);
  league.bar.n_team_this_bar[at(p)] = 0;
  league.bar.n_table_this_bar[at(p)] = 1;
  league.bar.address[at(p)].clear();
  league.bar.phone[at(p)].clear();
  league.bar.start[at(p)].reset();
  ++league.n_bar_slot;
  ++league.n_bar;
  return p;
}

int add_team(League& league, std::string_view name, int bar_position) {
  if (league.n_team_slot < 0 || league.n_team_slot >= team_room) return no_position;
  if (!valid_bar(league, bar_position) || !bar_is_live(league, bar_position)) return no_position;
  const int t = league.n_team_slot;
  league.team.bar_number[at(t)] = league.bar.number[at(bar_position)];
  league.team.name[at(t)].assign(name);
  league.team.division[at(t)] = 1;
  ++league.bar.n_team_this_bar[at(bar_position)];
  ++league.n_team_slot;
  ++league.n_team;
  return t;
}

void delete_bar(League& league, int bar_position) {
  if (!valid_bar(league, bar_position) || !bar_is_live(league, bar_position)) return;
  const std::int32_t number = league.bar.number[at(bar_position)];
  // The total falls by the teams actually deleted, so that a bar whose team
  // count came wrong from a hand-edited file cannot drive it off.
  std::int32_t deleted = 0;
  for (int t = 0; t < league.n_team_slot && t < team_room; ++t) {
    if (league.team.bar_number[at(t)] == number) {
      league.team.bar_number[at(t)] = deleted_team_bar_number;
      drop_unavailable(league, UnavailableKind::Team, t);
      ++deleted;
    }
  }
  --league.n_bar;
  league.bar.number[at(bar_position)] = deleted_bar_number;
  drop_unavailable(league, UnavailableKind::Bar, bar_position);
  league.n_team -= deleted;
}

void delete_team(League& league, int team_position, int bar_position) {
  // A team deleted twice would count twice against its bar and the total.
  if (!valid_team(league, team_position) || !team_is_live(league, team_position)) return;
  if (!valid_bar(league, bar_position)) return;
  --league.bar.n_team_this_bar[at(bar_position)];
  --league.n_team;
  league.team.bar_number[at(team_position)] = deleted_team_bar_number;
  drop_unavailable(league, UnavailableKind::Team, team_position);
}

void rename_bar(League& league, int bar_position, std::string_view name) {
  if (valid_bar(league, bar_position)) league.bar.name[at(bar_position)].assign(name);
}

void rename_team(League& league, int team_position, std::string_view name) {
  if (valid_team(league, team_position)) league.team.name[at(team_position)].assign(name);
}

int division_count(const League& league) {
  const std::int32_t n = league.division.n_division;
  return n < 1 ? 1 : n > max_divisions ? max_divisions : n;
}

std::string division_name(const League& league, int d) {
  if (d < 1 || d > division_count(league)) return {};
  const Name& name = league.division.name[at(d - 1)];
  return name.empty() ? "Division " + std::to_string(d) : std::string(name.view());
}

int division_of(const League& league, int t) {
  if (t < 0 || t >= team_room) return 1;
  const std::int32_t d = league.team.division[at(t)];
  return d < 1 || d > division_count(league) ? 1 : d;
}

std::span<const Unavailable> unavailable_entries(const League& league) {
  const std::int32_t n = league.unavailable.n_entry;
  return {league.unavailable.entry.data(), static_cast<std::size_t>(n < 0                 ? 0
                                                                    : n > max_unavailable ? max_unavailable
                                                                                          : n)};
}

void set_tables(League& league, int bar_position, std::int32_t tables) {
  if (valid_bar(league, bar_position)) league.bar.n_table_this_bar[at(bar_position)] = tables;
}

}  // namespace quintora::league
