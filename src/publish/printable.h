#pragma once
// What the printable page says, before any markup or drawing: the HTML page
// and the PDF (or a printer) show the same words in the same order, each in
// its own way. Text is UTF-8 exactly as the season holds it; each writer
// makes it safe for its own output.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "publish/publish.h"

namespace quintora::publish::detail {

// The columns of a team's fixtures.
inline constexpr std::array<std::string_view, 5> fixture_columns = {"Week", "Date", "Opponent",
                                                                    "Home or away", "Venue"};

struct PrintablePage {
  struct Week {
    std::string heading;               // "Week 3 — Tuesday 2026-09-15"
    std::vector<std::string> matches;  // "Red Lion A v Swan B — The Red Lion, Ashby"
    std::string bye;                   // "Not Playing: Swan A", or empty
    std::string section{};             // a division's name above its first week, else empty
  };
  // A team's week: the cells under fixture_columns. A bye has only week,
  // date and "Not Playing" (as its home or away).
  struct Fixture {
    std::array<std::string, 5> cells;
    bool bye = false;
  };
  struct Team {
    std::string name;
    std::string league;    // the page's title on each team's page of the whole league, else empty
    std::string home_bar;  // "Home bar: The Red Lion, 1 High Street, Ashby"
    std::vector<Fixture> fixtures;
  };
  std::string title;        // the league's, else "Season"
  std::string note;         // "Matches start at 19:45.", empty without a calendar
  std::vector<Week> weeks;  // none on one team's page
  std::vector<Team> teams;  // each on a page of its own, or the one team
  // Where the matches are played, once each, under "Venues" at the end:
  // "The Crown, 1 High Street — 01234 567890 — matches start at 20:30".
  // None when no bar has details.
  std::vector<std::string> venues;
};

inline constexpr std::string_view venues_heading = "Venues";

// For a season and options that detail::check accepts.
PrintablePage printable_page(const season::Season& season, const Options& options);

}  // namespace quintora::publish::detail
