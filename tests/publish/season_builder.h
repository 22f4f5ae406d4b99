#pragma once
// Seasons built by hand for the exporter tests: a single round-robin by the
// circle method, played again with home and away exchanged, as the schedule
// run does; a bye for the team paired with the dummy of an odd league.

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "league/calendar.h"
#include "publish/publish.h"
#include "season/season.h"
#include "support/calendar_builder.h"

namespace quintora::test {

inline season::Season make_season(const std::vector<std::string>& team_names,
                                  const std::vector<std::string>& bar_names, const std::string& title,
                                  std::optional<Calendar> calendar, int weeks) {
  season::Season s;
  s.title = title;
  for (const std::string& name : bar_names) s.bars.push_back({name, 1});
  for (std::size_t t = 0; t < team_names.size(); ++t)
    s.teams.push_back({team_names[t], static_cast<int>(t % bar_names.size()) + 1});
  const int n = static_cast<int>(team_names.size());
  const int slots = n % 2 == 0 ? n : n + 1;  // slot n + 1 is the dummy of an odd league
  s.rounds_per_pass = slots - 1;
  s.calendar = std::move(calendar);
  const std::vector<base::Date> dates =
      s.calendar ? match_dates(*s.calendar, weeks) : std::vector<base::Date>{};
  for (int w = 0; w < weeks; ++w) {
    season::Week week;
    week.number = w + 1;
    if (s.calendar) week.date = dates[static_cast<std::size_t>(w)];
    const int round = w % s.rounds_per_pass;
    const bool exchanged = (w / s.rounds_per_pass) % 2 == 1;
    // Circle method: slot `slots` stays, the others turn by one each round.
    const auto at = [&](int k) { return k == slots - 1 ? slots : (round + k) % (slots - 1) + 1; };
    for (int k = 0; k < slots / 2; ++k) {
      int home = at(k);
      int away = at(slots - 1 - k);
      if ((round + k) % 2 == 1) std::swap(home, away);
      if (exchanged) std::swap(home, away);
      if (home > n || away > n) {
        week.not_playing = home > n ? away : home;
      } else {
        week.matches.push_back({home, away});
      }
    }
    s.weeks.push_back(std::move(week));
  }
  return s;
}

// Four teams in two bars, six weeks from Tuesday 2025-01-07, no byes.
inline season::Season four_teams(bool with_calendar = true) {
  return make_season({"Aces", "Bankers", "Cue Kings", "Dart Hawks"}, {"The Crown", "Red Lion"},
                     "Winter League", with_calendar ? std::optional(calendar({2025, 1, 7})) : std::nullopt,
                     6);
}

// Names that break careless writers: separators and quotes of every format,
// markup, formula starters, white space inside, and UTF-8 of 2, 3 and 4 bytes.
inline const std::vector<std::string> hostile_teams = {
    "Comma, Club",
    "\"Quoted\" Cue",
    "Semi;colon",
    "<b>Bold</b> & Co",
    "100% Pool",
    "Tab\tTeam",
    "=SUM(A1:A9)",
    "+44 Club",
    "-Minus",
    "@Home",
    "Caf\u00e9 Zo\u00eb",
    "\u6771\u4eac\u30d3\u30ea\u30e4\u30fc\u30c9",
    "\U0001F3B1 Eight Ball \U0001F600",
    "It's Back\\slash",
};
inline const std::vector<std::string> hostile_bars = {"The \"Crown\", Inn", "Bar <&> Grill; 50%",
                                                      "\u9152\u5834", "=Bar"};
inline const std::string hostile_title = "Spring, \"Open\"; League <2025> & 100% \u2014 \u00e9t\u00e9";

// Five hostile teams (a bye every week) with a Christmas break.
inline season::Season five_hostile(int weeks = 10) {
  return make_season(std::vector<std::string>(hostile_teams.begin(), hostile_teams.begin() + 5), hostile_bars,
                     hostile_title, calendar({2024, 12, 3}, {{2024, 12, 24}, {2024, 12, 31}}), weeks);
}

// Every hostile name, with line breaks added (two teams more than the list).
inline season::Season all_hostile(bool with_calendar = true) {
  std::vector<std::string> names = hostile_teams;
  names.push_back("Line\r\nBreak");
  names.push_back("Lone\rReturn");
  return make_season(names, hostile_bars, hostile_title,
                     with_calendar ? std::optional(calendar({2025, 3, 25}, {}, 7, {19, 30})) : std::nullopt,
                     static_cast<int>(names.size()));
}

using Rows = std::vector<std::vector<std::string>>;

// What a fixture list must hold, header first: Week, Date, Day, Time, Home
// team, Away team, Venue, Note; a week's matches, then its bye. `cell` gives
// what the format stores for a name.
inline Rows fixture_rows(
    const season::Season& s, int team = 0,
    std::string (*cell)(const std::string&) = [](const std::string& t) { return t; }) {
  Rows rows = {{"Week", "Date", "Day", "Time", "Home team", "Away team", "Venue", "Note"}};
  for (const auto& week : s.weeks) {
    const std::string date = week.date ? base::format_iso_date(*week.date) : "";
    const std::string day = week.date ? std::string(base::weekday_name(*week.date)) : "";
    const std::string time = s.calendar ? base::format_time(s.calendar->start) : "";
    for (const auto& m : week.matches) {
      if (team == 0 || m.home == team || m.away == team)
        rows.push_back({std::to_string(week.number), date, day, time, cell(s.team(m.home).name),
                        cell(s.team(m.away).name), cell(s.venue(m).name), ""});
    }
    if (week.not_playing != 0 && (team == 0 || week.not_playing == team))
      rows.push_back({std::to_string(week.number), date, day, "", cell(s.team(week.not_playing).name), "", "",
                      "Not Playing"});
  }
  return rows;
}

// A team's own fixtures, header first: Week, Date, Time, Opponent, Home or
// away ("Not Playing" for its byes), Venue.
inline Rows team_rows(const season::Season& s, int team) {
  Rows rows = {{"Week", "Date", "Time", "Opponent", "Home or away", "Venue"}};
  for (const auto& row : fixture_rows(s, team)) {
    if (row[0] == "Week") continue;
    const bool home = row[4] == s.team(team).name;
    if (row[7] == "Not Playing")
      rows.push_back({row[0], row[1], "", "", "Not Playing", ""});
    else
      rows.push_back({row[0], row[1], row[3], home ? row[5] : row[4], home ? "Home" : "Away", row[6]});
  }
  return rows;
}

// Export options, spelled out (designated initialisers that leave members to
// their defaults draw -Wmissing-field-initializers from GCC).
inline publish::Options for_team(int team) {
  publish::Options options;
  options.team = team;
  return options;
}
inline publish::Options made_at(std::chrono::sys_seconds now, int team = 0) {
  publish::Options options = for_team(team);
  options.now = now;
  return options;
}

}  // namespace quintora::test
