#pragma once
// The one in-memory league: fixed tables of bars and teams kept as parallel
// fields by entry position, with slot and live counts beside them. Deleted
// entries keep their room until the next save compacts the league.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/date.h"
#include "league/calendar.h"
#include "league/fixed_text.h"

namespace quintora::league {

inline constexpr int bar_room = 50;    // entries, deleted ones included
inline constexpr int team_room = 100;  // entries, deleted ones included
inline constexpr int max_bars = 49;    // live bars the editor allows
inline constexpr int max_teams = 99;   // live teams the editor allows
inline constexpr int no_position = -1;

inline constexpr std::int32_t deleted_bar_number = -1;
inline constexpr std::int32_t deleted_team_bar_number = -2;

inline constexpr int max_divisions = 8;
inline constexpr int max_unavailable = 200;

using Name = FixedText<60>;      // 59 bytes of name
using Title = FixedText<81>;     // 80 bytes of title
using Path = FixedText<256>;     // 255 bytes of path
using Address = FixedText<121>;  // 120 bytes, one line
using Phone = FixedText<31>;     // 30 bytes

enum class FileState : std::int32_t { Saved = 1, Modified = 0, Untitled = -1, UntitledModified = -2 };

struct BarTable {
  std::array<std::int32_t, bar_room> number{};  // negative: deleted
  std::array<Name, bar_room> name{};
  std::array<std::int32_t, bar_room> n_team_this_bar{};
  std::array<std::int32_t, bar_room> n_table_this_bar{};
  // Venue details; they belong to the entry, so they follow the bar through
  // renames, deletion and the save's renumbering.
  std::array<Address, bar_room> address{};
  std::array<Phone, bar_room> phone{};
  std::array<std::optional<base::TimeOfDay>, bar_room> start{};  // none: the league's time
};

struct TeamTable {
  std::array<std::int32_t, team_room> bar_number{};  // negative: deleted
  std::array<Name, team_room> name{};
  std::array<std::int32_t, team_room> division{};  // 1..n_division; 0 reads as 1
};

// A league of one division has n_division 1 and writes no divisions section.
struct DivisionTable {
  std::array<Name, max_divisions> name{};
  std::int32_t n_division = 1;
};

// A date a bar hosts no match, or a team plays no home match. `position` is
// the bar's or the team's entry position; deleting the entry drops its dates.
enum class UnavailableKind : std::int32_t { Bar = 1, Team = 2 };
struct Unavailable {
  UnavailableKind kind = UnavailableKind::Bar;
  std::int32_t position = 0;
  base::Date date;
  friend bool operator==(const Unavailable&, const Unavailable&) = default;
};
struct UnavailableTable {
  std::array<Unavailable, max_unavailable> entry{};
  std::int32_t n_entry = 0;
};

struct League {
  Title stored_title;
  std::int32_t gap_of_position_night = 0;
  BarTable bar;
  std::int32_t n_bar_slot = 0;
  std::int32_t n_bar = 0;
  TeamTable team;
  std::int32_t n_team_slot = 0;
  std::int32_t n_team = 0;
  FileState file_state = FileState::Untitled;
  Path current_file_path;
  // When the season's matches are played; kept in the league file only when set.
  std::optional<Calendar> calendar;
  DivisionTable division;
  UnavailableTable unavailable;
};

void clear_league(League& league);

// Position of the first live entry whose name equals name, letter case
// ignored; no_position when there is none.
int find_bar(const League& league, std::string_view name);
int find_team(const League& league, std::string_view name);

void mark_modified(League& league);

// Appends a bar (number = its position + 1, one table, no teams). Returns its
// position, or no_position when the table has no room left.
int add_bar(League& league, std::string_view name);
// Appends a team to the bar at bar_position. Returns its position, or
// no_position when the table has no room left.
int add_team(League& league, std::string_view name, int bar_position);
void delete_bar(League& league, int bar_position);
void delete_team(League& league, int team_position, int bar_position);
void rename_bar(League& league, int bar_position, std::string_view name);
void rename_team(League& league, int team_position, std::string_view name);
void set_tables(League& league, int bar_position, std::int32_t tables);

// The league's divisions, 1..max_divisions whatever a table holds.
int division_count(const League& league);
// Division d (from 1) as the league names it; "Division d" while unnamed.
std::string division_name(const League& league, int d);
// The division (from 1) of the team at entry position t; the first one for
// a team whose division is not one of the league's.
int division_of(const League& league, int t);
std::span<const Unavailable> unavailable_entries(const League& league);

inline bool bar_is_live(const League& league, int p) {
  return league.bar.number[static_cast<std::size_t>(p)] >= 0;
}
inline bool team_is_live(const League& league, int t) {
  return league.team.bar_number[static_cast<std::size_t>(t)] >= 0;
}

}  // namespace quintora::league
