#pragma once
// Seasons built by hand for the exporter tests, and what each export must
// show for them, worked out from the season alone.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "league/calendar.h"
#include "publish/publish.h"
#include "readers.h"
#include "season/season.h"
#include "support/calendar_builder.h"

namespace quintora::test {

// A round-robin by the circle method on an odd count m: in week w the team
// w mod m sits out (or meets the last team of an even league) and w + k
// meets w - k; hosts alternate.
inline season::Season make_season(const std::vector<std::string>& teams, const std::vector<std::string>& bars,
                                  const std::string& title, std::optional<league::Calendar> calendar,
                                  int weeks) {
  season::Season s{title, {}, {}, std::move(calendar), 0, {}};
  for (const std::string& name : bars) s.bars.push_back({name, 1, {}, {}, {}});
  for (std::size_t t = 0; t < teams.size(); ++t)
    s.teams.push_back({teams[t], static_cast<int>(t % bars.size()) + 1, 1});
  const int n = static_cast<int>(teams.size()), m = n % 2 == 1 ? n : n - 1;
  const std::vector<base::Date> dates =
      s.calendar ? match_dates(*s.calendar, weeks) : std::vector<base::Date>{};
  for (int w = 0; w < weeks; ++w) {
    season::Week& week = s.weeks.emplace_back();
    week.number = w + 1;
    if (s.calendar) week.date = dates[static_cast<std::size_t>(w)];
    if (n == m) week.not_playing = {w % m + 1};
    if (n != m) week.matches.push_back({w % m + 1, n});
    for (int k = 1; k <= (m - 1) / 2; ++k) {
      week.matches.push_back({(w + k) % m + 1, (w + m - k) % m + 1});
      if ((w + k) % 2 == 1) std::swap(week.matches.back().home, week.matches.back().away);
    }
  }
  return s;
}

// Names that break careless writers: each format's separators and quotes,
// markup, a formula, line breaks and tabs, and UTF-8 of 2, 3 and 4 bytes.
inline const std::vector<std::string> hostile_teams = {
    "Comma, \"Quoted\" Cue", "<b>Bold</b> & Co's", "=SUM(A1:A9)",
    "Caf\u00e9 \u6771\u4eac\u30d3\u30ea\u30e4\u30fc\u30c9 \U0001F3B1 100%", "Line\r\nBreak\tand\rReturn; \\"};

// Five hostile teams (a bye every week) in six weeks from Tuesday 2024-12-03
// at 19:30, with 2024-12-24 off.
inline season::Season hostile(bool with_calendar = true) {
  return make_season(
      hostile_teams, {"The \"Crown\", Inn", "Bar <&> Grill", "=Bar \u9152\u5834"},
      "Spring, \"Open\"; League <2025> & 100% \u2014 \u00e9t\u00e9",
      with_calendar ? std::optional(calendar({2024, 12, 3}, {{2024, 12, 24}}, 7, {19, 30})) : std::nullopt,
      6);
}

// The hostile season with venue details: the first bar an address (a
// comma, a line break, markup) and a phone, the second its own start time
// and an address, the third none.
inline season::Season hostile_with_venues(bool with_calendar = true) {
  season::Season s = hostile(with_calendar);
  s.bars[0].address = "1 High St, Ashby <North>; \"Old\" Town";
  s.bars[0].phone = "+44 1530 000 111";
  s.bars[1].address = "\u00c9glise 9, Caf\u00e9 Row";
  s.bars[1].start = base::TimeOfDay{20, 15};
  return s;
}

// The calendar's weeks off between the week before and this one.
inline std::vector<base::Date> weeks_off(const season::Season& s, const season::Week& week) {
  std::vector<base::Date> off;
  if (!s.calendar || !week.date) return off;
  for (const base::Date& day : s.calendar->weeks_off()) {
    if (day < *week.date &&
        (week.number == 1 || *s.weeks[static_cast<std::size_t>(week.number - 2)].date < day))
      off.push_back(day);
  }
  return off;
}

// The hostile season in two divisions (the first, third and fifth teams in
// the first), the second's name needing quotes in every format.
inline season::Season divided() {
  season::Season s = hostile_with_venues();
  s.divisions = {"Premier", "First, \"B\"; <2>"};
  for (std::size_t t = 0; t < s.teams.size(); ++t) s.teams[t].division = t % 2 == 0 ? 1 : 2;
  return s;
}

inline std::string division_of(const season::Season& s, int team) {
  return s.divisions.size() > 1 ? s.divisions[static_cast<std::size_t>(s.team(team).division - 1)] : "";
}

// The start time a match shows: its venue's, else the calendar's.
inline std::string time_of(const season::Season& s, const season::Match& m) {
  if (!s.calendar) return "";
  return base::format_time(s.venue(m).start ? *s.venue(m).start : s.calendar->start);
}

// A fixture list, header first: Week, Date, Day, Time, Home team, Away team,
// Venue, (Venue address, when a bar has one), Note; a week's matches, then its bye.
inline Rows fixture_rows(const season::Season& s, int team = 0) {
  bool addresses = false;
  for (const auto& bar : s.bars) addresses = addresses || !bar.address.empty();
  const auto row = [&](std::vector<std::string> cells, const std::string& address,
                       const std::string& division = "") {
    if (addresses) cells.insert(cells.end() - 1, address);
    if (s.divisions.size() > 1) cells.push_back(division);
    return cells;
  };
  Rows rows = {row({"Week", "Date", "Day", "Time", "Home team", "Away team", "Venue", "Note"},
                   "Venue address", "Division")};
  for (const auto& week : s.weeks) {
    for (const base::Date& off : weeks_off(s, week))
      rows.push_back(row({"", base::format_iso_date(off), std::string(base::weekday_name(off)), "", "", "",
                          "", "No matches"},
                         ""));
    const std::string date = week.date ? base::format_iso_date(*week.date) : "";
    const std::string day = week.date ? std::string(base::weekday_name(*week.date)) : "";
    for (const auto& m : week.matches) {
      if (team == 0 || m.home == team || m.away == team)
        rows.push_back(row({std::to_string(week.number), date, day, time_of(s, m), s.team(m.home).name,
                            s.team(m.away).name, s.venue(m).name, ""},
                           s.venue(m).address, division_of(s, m.home)));
    }
    for (int bye : week.not_playing)
      if (team == 0 || bye == team)
        rows.push_back(
            row({std::to_string(week.number), date, day, "", s.team(bye).name, "", "", "Not Playing"}, "",
                division_of(s, bye)));
  }
  return rows;
}

// A team's own fixtures, header first: Week, Date, Time, Opponent, Home or
// away ("Not Playing" for its byes), Venue.
inline Rows team_rows(const season::Season& s, int team) {
  Rows rows = {{"Week", "Date", "Time", "Opponent", "Home or away", "Venue"}};
  for (auto row : fixture_rows(s, team)) {
    if (s.divisions.size() > 1) row.pop_back();       // the division
    if (row.size() == 9) row.erase(row.begin() + 7);  // the address
    const bool home = row[4] == s.team(team).name;
    if (row[7] == "Not Playing" || row[7] == "No matches")
      rows.push_back({row[0], row[1], "", "", row[7], ""});
    else if (row[0] != "Week")
      rows.push_back({row[0], row[1], row[3], home ? row[5] : row[4], home ? "Home" : "Away", row[6]});
  }
  return rows;
}

using Words = std::vector<std::pair<std::string, std::string>>;

// The printable page's words in order, each with the HTML element that holds
// it: the title and the note, each week's heading, matches and bye, then each
// team (or the one team) with its home bar, the column names and its rows;
// last the venues, when a bar has details.
inline Words printed(const season::Season& s, int one_team = 0) {
  const auto long_date = [](const std::string& iso) {  // "Tuesday 2025-01-07"
    return iso.empty() ? iso : std::string(base::weekday_name(*base::parse_iso_date(iso))) + " " + iso;
  };
  const auto own_time = [&](const std::string& time) {  // a venue's own start time
    return time.empty() || time == base::format_time(s.calendar->start) ? "" : " at " + time;
  };
  Words words = {{"h1", s.title}};
  if (s.calendar) words.push_back({"p", "Matches start at " + base::format_time(s.calendar->start) + "."});
  std::vector<season::Season> sections = {s};  // a section per division, when there are divisions
  if (s.divisions.size() > 1 && one_team == 0) {
    sections.clear();
    for (int d = 1; d <= static_cast<int>(s.divisions.size()); ++d) {
      season::Season& one = sections.emplace_back(s);
      for (auto& week : one.weeks) {
        std::erase_if(week.matches, [&](const season::Match& m) { return s.team(m.home).division != d; });
        std::erase_if(week.not_playing, [&](int t) { return s.team(t).division != d; });
      }
    }
  }
  for (std::size_t d = 0; d < sections.size(); ++d) {
    if (sections.size() > 1) words.push_back({"h2", s.divisions[d]});
    for (const auto& week : one_team == 0 ? sections[d].weeks : std::vector<season::Week>{}) {
      for (const base::Date& off : weeks_off(s, week))
        words.push_back({"h3", "No matches \u2014 " + long_date(base::format_iso_date(off))});
      const std::string date = week.date ? " \u2014 " + long_date(base::format_iso_date(*week.date)) : "";
      words.push_back({"h3", "Week " + std::to_string(week.number) + date});
      for (const auto& m : week.matches)
        words.push_back({"p", s.team(m.home).name + " v " + s.team(m.away).name + " \u2014 " +
                                  s.venue(m).name + own_time(time_of(s, m))});
      for (int bye : week.not_playing) words.push_back({"p", "Not Playing: " + s.team(bye).name});
    }
  }
  std::vector<bool> hosts(s.bars.size());
  for (int team = 1; team <= static_cast<int>(s.teams.size()); ++team) {
    for (const auto& week : s.weeks)
      for (const auto& m : week.matches)
        if (team == m.home && (one_team == 0 || m.home == one_team || m.away == one_team))
          hosts[static_cast<std::size_t>(s.team(team).bar - 1)] = true;
    if (one_team != 0 && team != one_team) continue;
    const season::Bar& home = s.bar(s.team(team).bar);
    words.push_back({"h2", s.team(team).name});
    if (one_team == 0) words.push_back({"p", s.title});
    words.push_back({"p", "Home bar: " + home.name + (home.address.empty() ? "" : ", " + home.address)});
    for (const char* column : {"Week", "Date", "Opponent", "Home or away", "Venue"})
      words.push_back({"th", column});
    for (const auto& row : team_rows(s, team)) {
      if (row[0] == "Week") continue;
      for (const std::string& cell : {row[0], long_date(row[1]) + own_time(row[2]), row[3], row[4], row[5]})
        words.push_back({"td", cell});
    }
  }
  bool details = false;
  for (const auto& bar : s.bars) details = details || !bar.address.empty() || !bar.phone.empty() || bar.start;
  if (details) words.push_back({"h2", "Venues"});
  for (std::size_t b = 0; details && b < s.bars.size(); ++b) {
    const season::Bar& bar = s.bars[b];
    if (!hosts[b]) continue;
    std::string line = bar.name + (bar.address.empty() ? "" : ", " + bar.address);
    if (!bar.phone.empty()) line += " \u2014 " + bar.phone;
    if (bar.start && s.calendar) line += " \u2014 matches start at " + base::format_time(*bar.start);
    words.push_back({"p", line});
  }
  return words;
}

inline publish::Options for_team(int team) { return {team, std::nullopt}; }

}  // namespace quintora::test
