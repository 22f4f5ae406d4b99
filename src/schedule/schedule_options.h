#pragma once
// The choices of one schedule run, their defaults, and the reading of the
// weeks field.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "league/calendar.h"
#include "league/league.h"

namespace quintora::schedule {

inline constexpr int max_season_weeks = 200;
inline constexpr int max_variant = 1000;

enum class Viewer { NotePad, WordPad };

// How the rounds of a season are ordered: as the pairing table builds them,
// by the round-order search at one of its three efforts, or Fairest, whose
// variant picks one of its schedules of equal quality.
struct ScheduleMethod {
  // In the order of the Schedule dialog's choices.
  enum class Kind { TableOrder, Search, SearchHarder, SearchHardest, Fairest };
  Kind kind = Kind::Search;
  int variant = 1;  // 1..max_variant; only Fairest reads it
  friend bool operator==(const ScheduleMethod&, const ScheduleMethod&) = default;
};

inline constexpr std::array<ScheduleMethod::Kind, 5> method_kinds = {
    ScheduleMethod::Kind::TableOrder, ScheduleMethod::Kind::Search, ScheduleMethod::Kind::SearchHarder,
    ScheduleMethod::Kind::SearchHardest, ScheduleMethod::Kind::Fairest};

// The choice as the windows show it: "No", "Yes", "Yes, try harder",
// "Yes, try hardest" (the answers to "Maximize Home-Away Game Alternation")
// and Fairest's own caption.
std::string_view method_caption(ScheduleMethod::Kind kind);

// The command line's --effort: 1 for the table's order, 2 to 4 for the
// search at that effort; others are clamped.
ScheduleMethod method_of_effort(int effort);
// The round-order search's effort level, 2 to 4; 0 for a method without the search.
int search_effort(ScheduleMethod::Kind kind);

struct ScheduleOptions {
  int season_weeks = 0;                      // 0..200
  std::string result_file = "schedule.txt";  // as typed, at most 49 bytes
  ScheduleMethod method;
  Viewer viewer = Viewer::NotePad;
  bool comma_delimited = false;
  // In place of the league's own calendar for this run (the command line's options).
  std::optional<league::Calendar> calendar;
};

// The options of a run that builds `weeks` weeks by `method`, the rest at
// their defaults: what the Season window and the command line build.
ScheduleOptions options_for(ScheduleMethod method, int weeks);

// One pass as built and one with home and away exchanged: 2 x (c - 1) weeks
// for an even team count c, 2 x c for an odd one (the bye adds a round).
int default_season_weeks(int n_team);
// The same for a league: with divisions, for its largest division (the
// smaller ones repeat their rounds sooner).
int default_season_weeks(const league::League& league);

// The weeks text read as a decimal integer: leading white space skipped, one
// optional sign, digits up to the first other character, no digits giving 0;
// then clamped to 0..200.
int convert_weeks_text(std::string_view text);

}  // namespace quintora::schedule
