#include "schedule/league_check.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "schedule/schedule_messages.h"

namespace quintora::schedule {

bool check_table_capacity(const league::League& league, base::Notices& notices) {
  const int slots = std::clamp(league.n_bar_slot, 0, league::bar_room);
  for (int p = 0; p < slots; ++p) {
    if (!bar_is_live(league, p)) continue;
    const auto i = static_cast<std::size_t>(p);
    // One table for every two teams, rounded up; a bar with no teams passes.
    const long needed = (static_cast<long>(league.bar.n_team_this_bar[i]) + 1) / 2;
    if (league.bar.n_table_this_bar[i] < needed) {
      notices.push_back({std::string(message::not_enough_tables) + std::string(league.bar.name[i].view())});
      return false;
    }
  }
  return true;
}

bool check_schedule_request(const league::League& league, base::Notices& notices) {
  if (league.n_team <= 0) {
    notices.push_back({std::string(message::no_teams)});
    return false;
  }
  return check_table_capacity(league, notices);
}

namespace {

// The first reason the run cannot take `league`; empty when it can.
std::string misfit(const league::League& league) {
  if (league.n_team < 1) return std::string(message::no_teams);
  if (league.n_team > max_run_teams || league.n_bar < 1 || league.n_bar > league::max_bars) {
    return "The league has " + std::to_string(league.n_team) + " teams in " + std::to_string(league.n_bar) +
           " bars; a schedule takes 1 to " + std::to_string(max_run_teams) + " teams in 1 to " +
           std::to_string(league::max_bars) + " bars.";
  }
  for (int p = 0; p < league.n_bar; ++p) {
    const auto i = static_cast<std::size_t>(p);
    const std::string name(league.bar.name[i].view());
    if (league.bar.number[i] != p + 1) {
      return "Bar " + name + " is numbered " + std::to_string(league.bar.number[i]) + " instead of " +
             std::to_string(p + 1) + ".";
    }
  }
  std::array<int, league::bar_room> teams_of_bar{};
  for (int t = 0; t < league.n_team; ++t) {
    const auto i = static_cast<std::size_t>(t);
    const int bar = league.team.bar_number[i];
    if (bar < 1 || bar > league.n_bar) {
      return "Team " + std::string(league.team.name[i].view()) + " has no bar.";
    }
    ++teams_of_bar[static_cast<std::size_t>(bar - 1)];
  }
  // The limits and the table check go by each bar's own team count, so a
  // hand-edited count that disagrees with the teams would schedule a bar
  // beyond its tables without a word.
  for (int p = 0; p < league.n_bar; ++p) {
    const auto i = static_cast<std::size_t>(p);
    if (league.bar.n_team_this_bar[i] != teams_of_bar[i]) {
      return "Bar " + std::string(league.bar.name[i].view()) + " is given " +
             std::to_string(league.bar.n_team_this_bar[i]) + " as its number of teams, but " +
             std::to_string(teams_of_bar[i]) + " teams have it as their bar.";
    }
  }
  return {};
}

}  // namespace

bool league_fits_run(const league::League& league, base::Notices& notices) {
  std::string problem = misfit(league);
  if (problem.empty()) return true;
  notices.push_back({std::move(problem)});
  return false;
}

}  // namespace quintora::schedule
