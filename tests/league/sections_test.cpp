// The optional sections after the team list: divisions, calendar,
// unavailable dates and venues, written in one order only when the league
// has them, read in any order, renumbered by the save with the bars and
// teams, and a broken or repeated one reported by its line while the rest loads.

#include <gtest/gtest.h>

#include "base/index.h"
#include "league/league_details.h"
#include "league_test_support.h"

namespace quintora::test {
namespace {

using league::UnavailableKind;
using LeagueSectionsTest = ScratchFolderTest;

const std::string divisions =
    "<< DIVISIONS: Number of Divisions, each Division Name, then each Team's Division Number in Team Order "
    ">>\n2\nPremier\nFirst\n1\n2\n2\n";
const std::string calendar_lf =
    "<< CALENDAR: First Match Date, Days Between Match Weeks, Start Time, Number of Weeks Off, Weeks Off "
    ">>\n2026-09-08\n7\n19:30\n1\n2026-12-22\n";
const std::string unavailable =
    "<< UNAVAILABLE: Number of Entries, then each as BAR or TEAM, its Number, and the Date >>\n"
    "2\nBAR\n2\n2026-12-29\nTEAM\n3\n2026-09-15\n";
const std::string venues =
    "<< VENUES: Number of Bars, then for each Bar in order its Address, its Phone and its Start Time >>\n"
    "2\n1 Quay Street, Bristol\n0117 496 0000\n\n\n\n20:15\n";

// The sections as read, one line each, the division names last.
std::string sections_of(const league::League& l) {
  std::ostringstream out;
  out << "calendar=";
  if (l.calendar) {
    out << base::format_iso_date(l.calendar->first) << " " << l.calendar->every_days << " "
        << base::format_time(l.calendar->start);
    for (const base::Date& off : l.calendar->weeks_off()) out << " " << base::format_iso_date(off);
  }
  out << "\ndivisions=" << l.division.n_division;
  for (int t = 0; t < l.n_team_slot; ++t) out << " " << league::division_of(l, t);
  out << "\n";
  for (const league::Unavailable& u : unavailable_entries(l))
    out << (u.kind == UnavailableKind::Bar ? "bar " : "team ") << u.position << " "
        << base::format_iso_date(u.date) << "\n";
  for (std::size_t p = 0; p < base::at(l.n_bar_slot); ++p)
    out << "venue [" << l.bar.address[p].view() << "] [" << l.bar.phone[p].view() << "] "
        << (l.bar.start[p] ? base::format_time(*l.bar.start[p]) : "-") << "\n";
  for (std::size_t d = 0; d < base::at(l.division.n_division); ++d)
    out << "division [" << l.division.name[d].view() << "]\n";
  return out.str();
}

const std::string all_read =
    "calendar=2026-09-08 7 19:30 2026-12-22\ndivisions=2 1 2 2\nbar 1 2026-12-29\nteam 2 2026-09-15\n"
    "venue [1 Quay Street, Bristol] [0117 496 0000] -\nvenue [] [] 20:15\n"
    "division [Premier]\ndivision [First]\n";

TEST_F(LeagueSectionsTest, ReadInAnyOrderAndWrittenInOneEachOnlyWhenThere) {
  base::Notices notices;
  const std::string ordered = divisions + calendar_lf + unavailable + venues;
  const std::string reversed = venues + unavailable + "\n\n" + calendar_lf + divisions;
  league::League all;
  ASSERT_EQ(read_text(all, spring_lf + reversed, notices), league::ReadResult::Success);
  EXPECT_EQ(sections_of(all), all_read);
  // Written in one order; a calendar without unavailable dates writes no list
  // of them; a phone alone is a detail; one division (named or not) and bars
  // without details write nothing.
  const std::pair<std::string, std::string> written[] = {
      {reversed, ordered},
      {calendar_lf, calendar_lf},
      {"<< VENUES\n2\n\n0117\n\n\n\n\n", venues.substr(0, venues.find('\n') + 1) + "2\n\n0117\n\n\n\n\n"},
      {"<< DIVISIONS\n1\nAll\n1\n1\n1\n<< VENUES\n2\n\n\n\n\n\n\n", ""}};
  for (const auto& [read, write] : written) {
    league::League league;
    ASSERT_EQ(read_text(league, spring_lf + read, notices), league::ReadResult::Success);
    ASSERT_TRUE(save(league, notices, folder_ / "written.sch", "Spring League"));
    EXPECT_EQ(read_file(folder_ / "written.sch"), with_crlf(spring_lf + write));
  }
  // Values that look like headers are read by count where they stand: a
  // valid league of them round trips byte for byte, with nothing to report
  // (the fields read are those the sections above show).
  const std::string hostile =
      "!! Version 1.4.0\n<< Title >>\n<< TEAMS\n<< Number of Bars and Gap of Position Night >>\n2  0\n"
      "<< BARS: Bar number, Number of Teams, Number of Tables and Bar Name >>\n"
      "1  2  1\n<< Number of Teams >>\n2  1  1\n<< DIVISIONS\n<< Number of Teams >>\n3\n"
      "<< TEAMS: Corresponding Bar Number and Team Name >>\n1\n<< VENUES\n1\n<<\n2\n<< CALENDAR\n" +
      divisions.substr(0, divisions.find('\n') + 1) + "2\n<< VENUES\n<< UNAVAILABLE >>\n1\n2\n2\n" +
      calendar_lf + unavailable + venues.substr(0, venues.find('\n') + 1) +
      "2\n<< DIVISIONS\n<<\n\n<< CALENDAR\n\n20:15\n";
  league::League odd;
  ASSERT_EQ(read_text(odd, hostile, notices), league::ReadResult::Success);
  ASSERT_TRUE(save(odd, notices, folder_ / "odd.sch", "<< TEAMS"));
  EXPECT_EQ(read_file(folder_ / "odd.sch"), with_crlf(hostile));
  EXPECT_EQ(boxes(notices), "");
}

// A league without the optional sections is read as it always was; a
// section that cannot be understood leaves the league whole without it, and
// says at which line.
TEST(LeagueSections, ABrokenOrRepeatedSectionIsNamedByItsLineAndTheRestLoads) {
  const std::string head = "<< CALENDAR: anything\n";
  // Line 20 is the first after the teams.
  const struct {
    std::string after_teams, problem, read;
  } cases[] = {
      {"\n  \n" + head + "2026-09-08\r\n 14 \n20:00\n0\n", "", "calendar=2026-09-08 14 20:00\n"},
      {head + "2026-09-08\n7\n20:00\n2\n2026-12-29\n2026-12-22\n", "",
       "calendar=2026-09-08 7 20:00 2026-12-22 2026-12-29\n"},
      {head + "2026-02-30\n7\n20:00\n0\n",
       "line 21: \"2026-02-30\" is not a first match date of the form YYYY-MM-DD", "calendar=\n"},
      {head + "2026-09-08\n0\n20:00\n0\n", "line 22: \"0\" is not a number of days from 1 to 365",
       "calendar=\n"},
      {head + "2026-09-08\n7\n8pm\n0\n", "line 23: \"8pm\" is not a start time of the form HH:MM",
       "calendar=\n"},
      {head + "2026-09-08\n7\n20:00\n101\n", "line 24: \"101\" is not a number of weeks off from 0 to 100",
       "calendar=\n"},
      {head + "2026-09-08\n7\n20:00\n2\n2026-12-22\n", "line 26: the calendar ends before its weeks off",
       "calendar=\n"},
      {head + "2026-09-08\n7\n20:00\n1\nsoon\n", "line 25: \"soon\" is not a week off of the form YYYY-MM-DD",
       "calendar=\n"},
      {head + "2026-09-08\n7\n20:00\n1\n2026-12-23\n",
       "line 25: The week off 2026-12-23 is not a match date: matches fall every 7 days from Tuesday "
       "2026-09-08.",
       "calendar=\n"},
      {divisions + divisions, "line 27: the division list is given a second time here",
       "divisions=2 1 2 2\n"},
      {"<< DIVISIONS\n9\n" + calendar_lf + venues, "line 21: \"9\" is not a number of divisions from 1 to 8",
       "divisions=1 1 1 1\nvenue [1 Quay"},
      {"<< DIVISIONS\n2\nA\na\n1\n1\n1\n", "line 23: the division \"a\" is listed twice",
       "divisions=1 1 1 1\n"},
      {"<< DIVISIONS\n2\nA\nB\n1\n3\n" + venues, "line 25: \"3\" is not a division number from 1 to 2",
       "divisions=1 1 1 1\nvenue [1 Quay"},
      // Cut short: the next header was read as a value, yet that section is read.
      {"<< DIVISIONS\n2\nA\nB\n1\n" + venues,
       "line 25: \"<< VENUES: Number of Bars, then for each\" is not a division number from 1 to 2",
       "divisions=1 1 1 1\nvenue [1 Quay"},
      {calendar_lf + "<< UNAVAILABLE\n1\nPUB\n1\n2026-09-15\n" + divisions,
       "line 28: \"PUB\" is not BAR or TEAM", "divisions=2 1 2 2\nvenue [] [] -\n"},
      {calendar_lf + "<< UNAVAILABLE\n1\nBAR\n3\n2026-09-15\n", "line 29: \"3\" is not the number of a bar",
       "divisions=1 1 1 1\nvenue"},
      {calendar_lf + "<< UNAVAILABLE\n1\nTEAM\n4\n2026-09-15\n", "line 29: \"4\" is not the number of a team",
       "divisions=1 1 1 1\nvenue"},
      {calendar_lf + "<< UNAVAILABLE\n2\nTEAM\n1\n2026-09-15\nTEAM\n1\n2026-09-15\n",
       "line 33: this entry is listed twice", "divisions=1 1 1 1\nvenue"},
      {calendar_lf + "<< UNAVAILABLE\n1\nTEAM\n1\n2026-09-31\n",
       "line 30: \"2026-09-31\" is not a date of the form YYYY-MM-DD", "divisions=1 1 1 1\nvenue"},
      {calendar_lf + "<< UNAVAILABLE\n201\n", "line 27: \"201\" is not a number of entries from 0 to 200",
       "divisions=1 1 1 1\nvenue"},
      // A date off the grid is kept: the season reports it.
      {unavailable, "line 20: the unavailable dates need the league's calendar", "divisions=1 1 1 1\nvenue"},
      {calendar_lf + "<< UNAVAILABLE\n1\nBAR\n1\n2026-09-16\n", "", "divisions=1 1 1 1\nbar 0 2026-09-16\n"},
      {"<< VENUES\n3\n", "line 21: \"3\" is not the number of bars, 2", "divisions=1 1 1 1\nvenue [] [] -\n"},
      {"<< VENUES\n2\nA\nP\n8pm\n", "line 24: \"8pm\" is not a start time of the form HH:MM or an empty line",
       "venue [] [] -\n"},
      {"<< VENUES\n2\nA\nP\n\nB\n", "line 26: the venue list ends before its phones", "venue [] [] -\n"},
      // Names take 59 bytes, addresses 120 and phones 30, each cut at a
      // character; Windows-1252 lines are converted as names are.
      {"<< DIVISIONS\n2\nx" + repeated("\u00E9", 30) + "\nCaf\xE9\n1\n1\n2\n<< VENUES\n2\n" +
           repeated("\u00E9", 65) + "\n+" + repeated("\u00E9", 30) + "\n\n\n\n\n",
       "",
       "venue [" + repeated("\u00E9", 60) + "] [+" + repeated("\u00E9", 14) +
           "] -\nvenue [] [] -\ndivision [x" + repeated("\u00E9", 29) + "]\ndivision [Caf\u00E9]\n"},
      {"<< RESULTS\n1\n" + divisions + "<< MORE\n<< CALENDAR\n",
       "line 20: a section this program does not know begins here; line 29: a section this program does not "
       "know begins here; line 31: the calendar ends before its first match date",
       "divisions=2 1 2 2\n"},
  };
  for (const auto& k : cases) {
    league::League league;
    base::Notices notices;
    ASSERT_EQ(read_text(league, spring_lf + k.after_teams, notices), league::ReadResult::Success)
        << k.after_teams;
    const std::string box = "Warning ! Part of this league file cannot be read (" + k.problem +
                            "). The league is read without it, and saving the league leaves it out.\n";
    EXPECT_EQ(boxes(notices), k.problem.empty() ? "" : box) << k.after_teams;
    EXPECT_NE(sections_of(league).find(k.read), std::string::npos) << sections_of(league);
    EXPECT_EQ(league.n_team, 3);
  }
}

// A hand-edited league with every section: bar Twin numbered as bar B, bar
// Old numbered -1 (deleted), team Stray of no bar and team Gone deleted; the
// strays are named in one box. Deleting bar A and team b1 (each twice: once
// counts) drops their dates; the entries stay until the save leaves the
// strays out, compacts the tables, puts b3, added last, with its bar's other
// team (B's teams are not Twin's), and renumbers the rest in every section as
// it renumbers the bars and teams, whose counts are those of the lines
// written; the venues follow.
TEST_F(LeagueSectionsTest, TheSaveCompactsRegroupsAndRenumbersEverySection) {
  league::League league;
  base::Notices notices;
  const std::string text =
      "!!\n\nT\n\n5  0\n\n1  1  1\nA\n2  2  1\nB\n3  1  1\nC\n2  0  1\nTwin\n-1  0  1\nOld\n\n6\n\n"
      "1\na1\n2\nb1\n2\nb2\n3\nc1\n0\nStray\n-1\nGone\n<< DIVISIONS\n3\nDivision 1\nSecond\nDivision 3\n"
      "1\n1\n2\n3\n1\n1\n<< CALENDAR\n2026-09-08\n7\n20:00\n0\n<< UNAVAILABLE\n4\nBAR\n1\n2026-09-08\n"
      "BAR\n3\n2026-09-15\nTEAM\n2\n2026-09-22\nTEAM\n4\n2026-10-06\n"
      "<< VENUES\n5\n\n\n19:00\n\n\n\nC's address\n\n\n\n\n\n\n\n\n";
  ASSERT_EQ(read_text(league, text, notices), league::ReadResult::Success);
  add_team(league, "a2", 0);
  EXPECT_FALSE(add_unavailable(league, {UnavailableKind::Team, 6, {2026, 9, 29}}));  // a2
  for (int twice = 0; twice < 2; ++twice) {
    delete_team(league, 1, 1);
    delete_bar(league, 0);
  }
  add_team(league, "b3", 1);
  EXPECT_EQ(league.unavailable.n_entry, 2);
  EXPECT_TRUE(describe(league).starts_with("title=T gap=0 bars=3/5 teams=4/8\n"));
  ASSERT_TRUE(save(league, notices, folder_ / "renumbered.sch", ""));
  EXPECT_EQ(boxes(notices),
            "Stopzzz ! (error) Bar Old has no valid number.\nTeam Stray has no bar.\nTeam Gone has no bar.\n"
            "They are left out when the league is saved.\n");
  EXPECT_EQ(describe(league),
            "title= gap=0 bars=3/3 teams=3/3\nbar 1 2 1 [B]\nbar 2 1 1 [C]\nbar 3 0 1 [Twin]\nteam 1 [b2]\n"
            "team 1 [b3]\nteam 2 [c1]\n");
  EXPECT_EQ(sections_of(league),
            "calendar=2026-09-08 7 20:00\ndivisions=3 2 1 3\nbar 1 2026-09-15\nteam 2 2026-10-06\n"
            "venue [] [] -\nvenue [C's address] [] -\nvenue [] [] -\ndivision [Division 1]\n"
            "division [Second]\ndivision [Division 3]\n");
}

}  // namespace
}  // namespace quintora::test
