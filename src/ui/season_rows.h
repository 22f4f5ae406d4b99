#pragma once
// What the Season window's tabs show, as pure functions of the season and
// its fairness report: the rows of the Weeks and Teams tabs and the report's
// sentences. The toolkit's window only maps them to widgets.

#include <string>
#include <string_view>
#include <vector>

#include "base/date.h"
#include "report/fairness.h"
#include "season/season.h"

namespace quintora::ui {

inline constexpr std::string_view not_playing_text = "Not Playing";
inline constexpr std::string_view week_off_text = "Week off";
inline constexpr std::string_view home_text = "Home";
inline constexpr std::string_view away_text = "Away";

enum class RowKind { Match, Bye, WeekOff };

// A line of the Weeks tab. A bye names its team in `home` and "Not Playing"
// in `away`; a week off of the calendar has no week number and says
// "Week off" in `home`.
struct WeekRow {
  RowKind kind = RowKind::Match;
  int week = 0;
  std::string date;  // e.g. "Tue 2026-09-01"; empty without a calendar
  std::string home;
  std::string away;
  std::string venue;
  friend bool operator==(const WeekRow&, const WeekRow&) = default;
};

// A line of one team's fixtures on the Teams tab.
struct FixtureRow {
  RowKind kind = RowKind::Match;
  int week = 0;
  std::string date;
  std::string opponent;
  std::string side;  // "Home", "Away", "Not Playing" or "Week off"
  std::string venue;
  friend bool operator==(const FixtureRow&, const FixtureRow&) = default;
};

// Every week in order, with the calendar's weeks off in their places; with
// a filter, only the rows whose team or venue contains it (letter case and
// outer blanks ignored), and with a division (from 1; 0 for all) only its
// matches and byes. Weeks off concern everybody and always stay.
std::vector<WeekRow> week_rows(const season::Season& season, std::string_view filter = {}, int division = 0);

// One team's matches and byes, with the weeks off; none for a team the
// season does not have.
std::vector<FixtureRow> fixture_rows(const season::Season& season, int team);

// A team on the Teams tab's choice: with divisions, the teams grouped by
// division in its order (the first of each group starts it), each named
// with its division; else the teams in order.
struct TeamChoice {
  int team = 0;
  std::string text;  // "3  Sharks", with divisions "3  Sharks (Premier)"
  bool starts_group = false;
  friend bool operator==(const TeamChoice&, const TeamChoice&) = default;
};
std::vector<TeamChoice> team_choices(const season::Season& season);

// A line of the Fairness tab's team table: with divisions, a heading per
// division (team 0, the division's name and breaks) before its teams; else
// the teams in order. `team` numbers the report's teams from 1.
struct TeamReportRow {
  int team = 0;
  std::string heading;
  friend bool operator==(const TeamReportRow&, const TeamReportRow&) = default;
};
std::vector<TeamReportRow> team_report_rows(const report::Fairness& fairness);

// The unavailable dates the season does not keep, as a sentence; empty when
// the league lists none.
std::string missed_text(const report::Fairness& fairness);

// The team's line of the report, as a sentence (with divisions, its
// division's first); empty for no team.
std::string team_summary(const report::Fairness& fairness, int team);

// The league's breaks against the fewest possible, as a sentence; with
// divisions, a line more for each division against its own fewest.
std::string totals_text(const season::Season& season, const report::Fairness& fairness);

// Which bars hosted more matches than their tables in some week.
std::string overbooked_text(const report::Fairness& fairness);

inline bool overbooked(const report::BarLine& bar) { return bar.weeks_over_tables > 0; }

// Whether the team's home bar hosts more matches than its tables in some week.
bool home_bar_overbooked(const season::Season& season, const report::Fairness& fairness, int team);

// A date as the window shows it: "Tue 2026-09-01".
std::string display_date(base::Date date);

}  // namespace quintora::ui
