#pragma once
// How a save renumbers the league: live bars numbered by their place among
// the live bars, each team written once, under the first live bar that bears
// its bar number, grouped by bar in bar order. Every section of the file that
// names a bar or a team uses these numbers.

#include <array>
#include <cstdint>

#include "league/league.h"

namespace quintora::league {

struct Compaction {
  std::array<std::int32_t, bar_room> bar_number{};    // new number of the bar entry; 0: not written
  std::array<std::int32_t, bar_room> bar_teams{};     // teams written under it
  std::array<std::int32_t, team_room> team_bar{};     // new number of the team's bar; 0: not written
  std::array<std::int32_t, team_room> team_number{};  // its place in the written team list; 0: not written
  std::array<std::int32_t, team_room> team_at{};      // entry position of written team k + 1
  std::int32_t bars = 0;
  std::int32_t teams = 0;
};

Compaction compact(const League& league);

}  // namespace quintora::league
