// Any bytes given to the league reader must end in a success or a refusal,
// never out of bounds, and a success must leave a league that keeps the
// tables' limits; a refusal must leave the league untouched.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "league/league.h"
#include "league/league_file.h"

namespace {

using namespace quintora;

void check(bool condition) {
  if (!condition) std::abort();
}

void check_limits(const league::League& league) {
  check(league.n_bar_slot >= 0 && league.n_bar_slot <= league::bar_room);
  check(league.n_team_slot >= 0 && league.n_team_slot <= league::team_room);
  check(league.n_bar >= 0 && league.n_bar <= league.n_bar_slot);
  check(league.n_team >= 0 && league.n_team <= league.n_team_slot);
  check(league.stored_title.size() <= league::Title::room);
  for (const league::Name& n : league.bar.name) check(n.size() <= league::Name::room);
  for (const league::Name& n : league.team.name) check(n.size() <= league::Name::room);
  for (const league::Address& a : league.bar.address) check(a.size() <= league::Address::room);
  for (const league::Phone& a : league.bar.phone) check(a.size() <= league::Phone::room);
  check(league.division.n_division >= 1 && league.division.n_division <= league::max_divisions);
  for (int t = 0; t < league.n_team_slot; ++t) {
    const std::int32_t d = league.team.division[static_cast<std::size_t>(t)];
    check(d >= 0 && d <= league.division.n_division);
  }
  // Dates only with a calendar, each naming a bar or a team the league has.
  check(league.unavailable.n_entry >= 0 && league.unavailable.n_entry <= league::max_unavailable);
  check(league.unavailable.n_entry == 0 || league.calendar.has_value());
  for (const league::Unavailable& u : unavailable_entries(league)) {
    const int slots = u.kind == league::UnavailableKind::Bar ? league.n_bar_slot : league.n_team_slot;
    check(u.position >= 0 && u.position < slots);
  }
  for (int p = 0; p < league.n_bar_slot; ++p) {
    check(league.bar.n_table_this_bar[static_cast<std::size_t>(p)] >= 1);
    const std::int32_t teams = league.bar.n_team_this_bar[static_cast<std::size_t>(p)];
    check(teams >= 0 && teams <= league::team_room);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const league::ReadMode mode = size % 2 == 0 ? league::ReadMode::Open : league::ReadMode::Reread;

  league::League league;
  add_team(league, "Keeper", add_bar(league, "Kept"));
  league.current_file_path.assign("before.sch");
  league.file_state = league::FileState::Modified;

  base::Notices notices;
  const league::ReadResult result = read_league(league, bytes, mode, "after.sch", notices);
  if (result == league::ReadResult::Success) {
    check_limits(league);
    check(league.file_state == league::FileState::Saved);
    // At most the list of teams without a bar and a section after the teams
    // that could not be read; a calendar that was read is a valid one.
    check(notices.size() <= 2);
    if (league.calendar) check(check_calendar(*league.calendar).problem == league::CalendarProblem::None);
    check(league.current_file_path.view() == (mode == league::ReadMode::Open ? "after.sch" : "before.sch"));
  } else {
    check(notices.size() == 1);
    check(league.file_state == league::FileState::Modified);
    check(league.n_bar == 1 && league.n_team == 1 && league.bar.name[0].view() == "Kept");
    check(league.current_file_path.view() == "before.sch");
  }
  return 0;
}
