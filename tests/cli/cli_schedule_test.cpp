// quintora-cli schedule, end to end: the file is the library's text of the
// same build; and every refusal of schedule and report, named on standard
// error with nothing written.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <tuple>

#include "base/atomic_file.h"
#include "base/date.h"
#include "cli_runner.h"
#include "league/calendar_section.h"
#include "schedule/schedule_writer.h"

namespace quintora {
namespace {

namespace fs = std::filesystem;
using Options = schedule::ScheduleOptions;
using test::words;

// The example league in LF form, so that lines can be edited by their text.
const std::string spring = [] {
  std::string text = test::slurp(test::example("spring-league.sch"));
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

std::string text_of(const season::Season& season, bool csv = false) {
  return base::with_platform_line_ends(schedule::schedule_text(season, csv));
}

class CliSchedule : public test::CliRunner {
 protected:
  void write_league(const std::string& text) {
    std::ofstream(work_ / "league.sch", std::ios::binary) << text;
  }
};

class CliExamples : public CliSchedule, public ::testing::WithParamInterface<std::tuple<const char*, int>> {};

TEST_P(CliExamples, ScheduleIsTheLibrarysText) {
  const auto [file, effort] = GetParam();
  ASSERT_EQ(cli("schedule", test::example(file), test::build_arguments(effort)), 0) << err;
  EXPECT_EQ(out + err, written("schedule.txt"));
  EXPECT_EQ(files(), (std::map<std::string, std::string>{
                         {"schedule.txt", text_of(test::library_season(test::example(file), effort))}}));
}

INSTANTIATE_TEST_SUITE_P(ExamplesAndEfforts, CliExamples,
                         ::testing::Combine(::testing::Values("spring-league.sch", "odd-league.sch",
                                                              "county-league.sch"),
                                            ::testing::Range(0, 5)));

TEST_F(CliSchedule, OptionsReachTheBuild) {
  struct Case {
    const char* arguments;
    void (*change)(Options&);
  };
  const Case cases[] = {
      {"--weeks 1 --effort 1",
       [](Options& o) {
         o.season_weeks = 1;
         o.effort = 1;
       }},
      {"--weeks 500 --effort 1",
       [](Options& o) {
         o.season_weeks = 200;
         o.effort = 1;
       }},
      {"--weeks=-3", [](Options& o) { o.season_weeks = 0; }},
      {"--weeks +5 --csv",
       [](Options& o) {
         o.season_weeks = 5;
         o.comma_delimited = true;
       }},
      {"--verbose", [](Options&) {}},
      {"--fair --variant 2",
       [](Options& o) {
         o.fairest = true;
         o.variant = 2;
       }},
  };
  for (const auto& [arguments, change] : cases) {
    Options chosen;
    change(chosen);
    ASSERT_EQ(cli("schedule", test::example("spring-league.sch"), arguments), 0) << arguments << ": " << err;
    EXPECT_EQ(err, "");
    const bool verbose = words(arguments)[0] == "--verbose";
    EXPECT_TRUE(out.ends_with(written("schedule.txt"))) << out;
    EXPECT_EQ(out.find(" AT GENERATION #     1, COST =") != std::string::npos, verbose) << arguments;
    EXPECT_EQ(files(),
              (std::map<std::string, std::string>{
                  {"schedule.txt", text_of(test::library_season(test::example("spring-league.sch"), change),
                                           chosen.comma_delimited)}}))
        << arguments;
  }
}

// The editor's automatic team can be a league's 100th; such a league is
// scheduled (and one of 101 refused, below).
TEST_F(CliSchedule, AHundredTeamsAreScheduled) {
  write_league(league_of(100));
  ASSERT_EQ(cli(words("schedule league.sch --effort 4")), 0) << err;
  EXPECT_EQ(test::slurp(work_ / "schedule.txt"), text_of(test::library_season(work_ / "league.sch", 4)));
}

// Each refusal is named on standard error with its exit status, 1 or 2 (a
// usage error); nothing is written and earlier files of the default names
// stay as they were.
TEST_F(CliSchedule, RefusalsAreNamedAndWriteNothing) {
  const std::string tight = changed("2  3  2\n", "2  3  1\n");
  // Names reach the terminal escaped: a sequence that would retitle or clear
  // it, a CR that would overwrite the line, a C1 control.
  const std::string hostile = changed("1\nPocket Rockets",
                                      "9\nPocket\x1b]0;owned\x07\x1b[2J\rRockets \xc2\x9b"
                                      "1m");
  const std::string shown = "Team Pocket\\x1b]0;owned\\x07\\x1b[2J\\x0dRockets \\xc2\\x9b1m has no bar.\n";
  const std::string dated = spring + std::string(calendar_header) + "\n2026-09-01\n7\n19:00\n1\n2026-09-15\n";
  std::string many = "schedule league.sch --format ics --start 2026-09-01";
  for (int k = 0; k <= max_weeks_off; ++k)
    many += " --skip " + base::format_iso_date(base::add_days({2026, 9, 1}, 7 * k));
  const std::string ics = "schedule league.sch --format ics --start 2026-09-01";
  const std::tuple<std::string, std::string, int, std::string> cases[] = {
      {tight, "schedule league.sch", 1, "Stop !: Not enough tables for this bar: Eight Ball Saloon"},
      {tight, "report league.sch --fair", 1, "Stop !: Not enough tables for this bar: Eight Ball Saloon"},
      {hostile, "schedule league.sch", 1,
       "Stopzzz !: " + shown + "They are left out when the league is saved.\nStop !: " + shown},
      {"not a league\n", "schedule league.sch", 1, "Sorry !: "},
      {league_of(101), "report league.sch", 1,
       "Sorry !: This league file cannot be read: its number of teams (101) is not between 0 and 100.\n"},
      {spring, "report missing.sch", 1, "Cannot open the league file missing.sch."},
      {spring, "schedule league.sch --output league.sch", 1, "Stop !: Please use a valid file name.\n"},
      {spring, "report", 2, "league is required"},
      {spring, "schedule league.sch --weeks 12abc", 2, "--weeks"},
      {spring, "report league.sch --effort 5", 2, "--effort"},
      {spring, "schedule league.sch --fair --effort 2", 2, "--effort excludes --fair"},
      {spring, "report league.sch --variant 2", 2, "--variant requires --fair"},
      {spring, "schedule league.sch --fair --variant 1001", 2, "--variant"},
      {spring, "report league.sch --verbose", 2, "--verbose"},
      {spring, "report league.sch --csv", 2, "--csv"},
      {spring, "schedule league.sch --format ods", 2, "ods"},
      {spring, "schedule league.sch --format pdf --paper b5", 2, "b5"},
      {spring, "schedule league.sch --format upload-csv", 2, "no calendar"},
      {spring, "schedule league.sch --format ics --every 14", 2, "--start"},
      {spring, "schedule league.sch --format ics --start 2026-02-30", 2, "2026-02-30 is not a real date"},
      {spring, ics + " --time 24:00", 2, "24:00"},
      {spring, ics + " --every 0", 2, "--every"},
      {spring, ics + " --every 366", 2, "366"},
      {spring, ics + " --skip 2026-09-02", 2, "2026-09-02 is not a match date"},
      {spring, ics + " --skip 2026-09-08 --skip 2026-09-08", 2, "--skip 2026-09-08 is given twice"},
      {spring, many, 2, "more than 100 weeks off"},
      {dated, "schedule league.sch --format ics --start 2026-09-02", 2, "2026-09-15 is not a match date"},
      {dated, "schedule league.sch --format ics --start 2026-09-02", 2,
       "That week off is the league file's; give this run's weeks off with --skip.\n"},
      {spring, "schedule league.sch --format html --team Nobody", 2, "there is no team Nobody in league.sch"},
      {spring, "schedule league.sch --format xlsx --team Nobody", 2, "--team is for the formats"},
  };
  for (const char* extension : {".txt", ".csv", ".ics", ".xlsx", ".html", ".pdf"})
    std::ofstream(work_ / ("schedule" + std::string(extension)), std::ios::binary) << "an earlier file\r\n";
  for (const auto& [league, arguments, status, message] : cases) {
    write_league(league);
    const auto before = files();
    EXPECT_EQ(cli(words(arguments)), status) << arguments << ": " << err;
    EXPECT_NE(err.find(message), std::string::npos)
        << arguments << "\nexpected " << message << "\ngot " << err;
    EXPECT_EQ(out, "") << arguments;
    EXPECT_EQ(files(), before) << arguments;
  }
}

// The desktop program keeps a league's path for its next save, in a room of
// 255 bytes; the command line keeps none, so any folder will do. Nor may the
// schedule replace the league, named in any way.
TEST_F(CliSchedule, LeaguesInDeepFoldersAreScheduled) {
  const std::string deep = std::string(100, 'd') + "/" + std::string(100, 'e') + "/" + std::string(100, 'f');
  fs::create_directories(work_ / deep);
  std::ofstream(work_ / deep / "league.sch", std::ios::binary) << spring;
  ASSERT_GT((work_ / deep / "league.sch").string().size(), 255u);
  EXPECT_EQ(cli(words("schedule " + deep + "/league.sch --effort 1")), 0) << err;
  EXPECT_EQ(out + err, written("schedule.txt"));
  EXPECT_EQ(cli(words("schedule " + deep + "/league.sch --output " + deep + "/../" + std::string(100, 'f') +
                      "/league.sch")),
            1);
  EXPECT_EQ(out + err, "Stop !: Please use a valid file name.\n");
  EXPECT_EQ(test::slurp(work_ / deep / "league.sch"), spring);
}

}  // namespace
}  // namespace quintora
