// quintora-cli schedule and report, end to end: the schedule and the report
// are the libraries' of the same build; every refusal is named on standard
// error, with nothing written.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <tuple>

#include "base/atomic_file.h"
#include "base/date.h"
#include "cli_runner.h"
#include "league/calendar_section.h"
#include "report/fairness.h"
#include "schedule/schedule_writer.h"

namespace quintora {
namespace {

namespace fs = std::filesystem;
using Options = schedule::ScheduleOptions;
using test::words;

const fs::path spring_file = test::example("spring-league.sch");

// The example league in LF form, so that lines can be edited by their text.
const std::string spring = [] {
  std::string text = test::read_file(spring_file);
  std::erase(text, '\r');
  return text;
}();

std::string changed(const std::string& from, const std::string& to) {
  return std::string(spring).replace(spring.find(from), from.size(), to);
}

// A league file of `teams` teams in bars of three with two tables each.
std::string league_of(int teams) {
  const int bars = (teams + 2) / 3;
  std::string text = "!! Version 1.4.0\n<< Title >>\nBig League\n<< Number of Bars >>\n" +
                     std::to_string(bars) + "  0\n<< BARS >>\n";
  for (int b = 1; b <= bars; ++b) {
    text += std::to_string(b) + "  " + std::to_string(std::min(3, teams - 3 * (b - 1))) + "  2\nBar " +
            std::to_string(b) + "\n";
  }
  text += "<< Number of Teams >>\n" + std::to_string(teams) + "\n<< TEAMS >>\n";
  for (int t = 1; t <= teams; ++t) text += std::to_string((t + 2) / 3) + "\nTeam " + std::to_string(t) + "\n";
  return text;
}

using CliSchedule = test::CliRunner;
using Kind = schedule::ScheduleMethod::Kind;

// Each command once, end to end: the schedule is the library's text of the
// same build and the report the report library's (the build choices, options
// and formats are the publishing test's; the bytes and the numbers the
// libraries' own tests'). The editor's automatic team can be a league's
// 100th: such a league is scheduled (one of 101 is refused, below).
TEST_F(CliSchedule, EachCommandWritesWhatTheLibrariesMake) {
  test::write(work_ / "hundred.sch", league_of(100));
  const season::Season s =
      test::library_season(work_ / "hundred.sch", [](Options& o) { o.method = {Kind::SearchHardest}; });
  ASSERT_EQ(cli("schedule", work_ / "hundred.sch", "--effort 4"), 0) << err;
  EXPECT_EQ(out + err, written("schedule.txt"));
  EXPECT_EQ(test::read_file(work_ / "schedule.txt"),
            base::with_platform_line_ends(schedule::schedule_text(s, false)));
  const fs::path county = test::example("county-league.sch");
  const report::Fairness fair =
      report::assess(test::library_season(county, [](Options& o) { o.method = {Kind::Fairest}; }));
  ASSERT_EQ(cli("report", county, "--fair --json"), 0) << err;
  EXPECT_EQ(out + err, report::as_json(fair));
  ASSERT_EQ(cli("report", county, "--fair"), 0) << err;
  EXPECT_EQ(out + err, report::as_text(fair));
}

// Each refusal is named on standard error with its exit status, 1 or 2 (a
// usage error; the ranges and choices the options declare are the argument
// parser's business); nothing is written and earlier files stay as they
// were: of the default names, a folder and a read-only file named as the
// result (refused by its mode, so even for root).
TEST_F(CliSchedule, RefusalsAreNamedAndWriteNothing) {
  // Names reach the terminal escaped: a sequence that would retitle or clear
  // it, a CR that would overwrite the line, a C1 control.
  const std::string escaped = changed("1\nPocket Rockets",
                                      "9\nPocket\x1b]0;owned\x07\x1b[2J\rRockets \xc2\x9b"
                                      "1m");
  const std::string shown = "Team Pocket\\x1b]0;owned\\x07\\x1b[2J\\x0dRockets \\xc2\\x9b1m has no bar.\n";
  const std::string dated =
      spring + std::string(league::calendar_header) + "\n2026-09-01\n7\n19:00\n1\n2026-09-15\n";
  const std::string ics = "schedule league.sch --format ics --start 2026-09-01";
  const std::string invalid = "Stop !: Please use a valid file name.\n";
  std::string many = ics;
  for (int k = 0; k <= league::max_weeks_off; ++k)
    many += " --skip " +
            base::format_iso_date(base::civil_from_days(base::days_from_civil({2026, 9, 1}) + 7 * k));
  const std::tuple<std::string, std::string, int, std::string> cases[] = {
      {changed("2  3  2\n", "2  3  1\n"), "report league.sch --fair", 1,
       "Stop !: Not enough tables for this bar: Eight Ball Saloon"},
      {escaped, "schedule league.sch", 1,
       "Stopzzz !: " + shown + "They are left out when the league is saved.\nStop !: " + shown},
      {league_of(101), "report league.sch", 1,
       "Sorry !: This league file cannot be read: its number of teams (101) is not between 0 and 100.\n"},
      {spring, "report missing.sch", 1, "Cannot open the league file missing.sch."},
      {spring, "schedule league.sch --output league.sch", 1, invalid},
      {spring, "schedule league.sch --effort 1 --output missing/schedule.txt", 1,
       "Stop !: The folder " + (work_ / "missing").string() + " does not exist.\n"},
      {spring, "schedule league.sch --format html --paper a4", 2, "--paper is for the format pdf, not html"},
      {spring, "schedule league.sch --format html --division Premier", 2,
       "there is no division Premier in league.sch"},
      {spring, "schedule league.sch --effort 1 --format xlsx --output folder", 1, invalid},
      {spring, "schedule league.sch --effort 1 --format pdf --output locked", 1, invalid},
      {spring, "report", 2, "league is required"},
      {spring, "schedule league.sch --weeks 12abc", 2, "--weeks"},
      {spring, "schedule league.sch --fair --effort 2", 2, "--effort excludes --fair"},
      {spring, "report league.sch --variant 2", 2, "--variant requires --fair"},
      {spring, "schedule league.sch --format ods", 2, "ods"},
      {spring, "schedule league.sch --format upload-csv", 2, "no calendar"},
      {spring, "schedule league.sch --format ics --every 14", 2, "--start"},
      {spring, "schedule league.sch --format ics --start 2026-02-30", 2, "2026-02-30 is not a real date"},
      {spring, "schedule league.sch --format ics --start 3000-12-25", 2,
       "week 2 falls on 3001-01-01, later than 3000-12-31, the last date the format ics can hold"},
      {spring, "schedule league.sch --format fixtures-csv --start 9999-12-25", 2,
       "week 2 falls on 10000-01-01"},
      {spring, ics + " --time 24:00", 2, "24:00"},
      {spring, ics + " --skip 2026-09-02", 2, "2026-09-02 is not a match date"},
      {spring, ics + " --skip 2026-09-08 --skip 2026-09-08", 2, "--skip 2026-09-08 is given twice"},
      {spring, many, 2, "more than 100 weeks off"},
      {dated, "schedule league.sch --format ics --start 2026-09-02", 2,
       "That week off is the league file's; give this run's weeks off with --skip.\n"},
      {spring, "schedule league.sch --format html --team Nobody", 2, "there is no team Nobody in league.sch"},
      {spring, "schedule league.sch --format xlsx --team Nobody", 2, "--team is for the formats"},
  };
  fs::create_directories(work_ / "folder");
  for (const char* name : {"folder/inside.txt", "locked", "schedule.txt", "schedule.csv", "schedule.ics",
                           "schedule.xlsx", "schedule.html", "schedule.pdf"})
    test::write(work_ / name, "an earlier file\r\n");
  fs::permissions(work_ / "locked", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  for (const auto& [league, arguments, status, message] : cases) {
    test::write(work_ / "league.sch", league);
    const auto before = files();
    EXPECT_EQ(cli(words(arguments)), status) << arguments << ": " << err;
    EXPECT_NE(err.find(message), std::string::npos)
        << arguments << "\nexpected " << message << "\ngot " << err;
    EXPECT_EQ(out, "") << arguments;
    EXPECT_EQ(files(), before) << arguments;
  }
  fs::permissions(work_ / "locked", fs::perms::owner_all);
}

// The desktop program keeps a league's path for its next save, in a room of
// 255 bytes; the command line keeps none, so any folder will do. Nor may the
// schedule replace the league, named in any way.
TEST_F(CliSchedule, LeaguesInDeepFoldersAreScheduled) {
  const std::string deep = std::string(100, 'd') + "/" + std::string(100, 'e') + "/" + std::string(100, 'f');
  fs::create_directories(work_ / deep);
  test::write(work_ / deep / "league.sch", spring);
  ASSERT_GT((work_ / deep / "league.sch").string().size(), 255u);
  EXPECT_EQ(cli(words("schedule " + deep + "/league.sch --effort 1")), 0) << err;
  EXPECT_EQ(out + err, written("schedule.txt"));
  EXPECT_EQ(cli(words("schedule " + deep + "/league.sch --output " + deep + "/../" + std::string(100, 'f') +
                      "/league.sch")),
            1);
  EXPECT_EQ(out + err, "Stop !: Please use a valid file name.\n");
  EXPECT_EQ(test::read_file(work_ / deep / "league.sch"), spring);
}

}  // namespace
}  // namespace quintora
