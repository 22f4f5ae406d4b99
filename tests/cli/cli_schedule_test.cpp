// quintora-cli schedule, end to end on the example leagues.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <tuple>

#include "cli_runner.h"

namespace {

namespace fs = std::filesystem;

using quintora::test::read_text_file;
std::string read_file(const fs::path& path) { return read_text_file(path); }

// The example league in LF form, so that lines can be edited by their text.
const std::string spring = [] {
  std::string text = read_file(fs::path(QUINTORA_EXAMPLES) / "spring-league.sch");
  std::erase(text, '\r');
  return text;
}();

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

class CliTest : public quintora::test::CliRunner {
 protected:
  // Runs "quintora-cli schedule NAME ARGUMENTS" on `league`, written to NAME in work_.
  int schedule(const std::string& league, const std::string& arguments,
               const std::string& name = "league.sch") {
    fs::create_directories((work_ / name).parent_path());
    std::ofstream(work_ / name, std::ios::binary) << league;
    return cli("schedule " + name + " " + arguments);
  }
  std::set<fs::path> work_files() const { return {fs::directory_iterator(work_), {}}; }
};

class CliExamples : public CliTest, public ::testing::WithParamInterface<std::tuple<int, int>> {};

TEST_P(CliExamples, ScheduleIsCompleteAndNoWorkFileStays) {
  const auto [example, effort] = GetParam();
  const std::pair<const char*, std::ptrdiff_t> examples[] = {
      {"spring-league.sch", 8}, {"odd-league.sch", 11}, {"county-league.sch", 97}};
  const auto [file, teams] = examples[example];
  // Effort 5 stands for Fairest.
  const std::string how = effort == 5 ? "--fair" : "--effort " + std::to_string(effort);
  ASSERT_EQ(schedule(read_file(fs::path(QUINTORA_EXAMPLES) / file), how), 0);
  EXPECT_EQ(out + err, "Schedule written to " + (work_ / "schedule.txt").string() + "\n");
  EXPECT_EQ(work_files(), (std::set{work_ / "league.sch", work_ / "schedule.txt"}));
  EXPECT_TRUE(fs::is_empty(temp_)) << "the optimiser's work folder must be gone";
  // The default two passes: every team at every other team's bar exactly once.
  const std::string text = read_file(work_ / "schedule.txt");
  std::set<std::string> visits;
  const std::regex match(R"(\d+ at +\d+)");
  for (std::sregex_iterator m(text.begin(), text.end(), match), end; m != end; ++m) {
    EXPECT_TRUE(visits.insert(m->str()).second) << m->str();
  }
  EXPECT_EQ(static_cast<std::ptrdiff_t>(visits.size()), teams * (teams - 1));
  // Header, the default two passes, the legend.
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5 + 2 * (teams - 1 + teams % 2) + teams);
}

INSTANTIATE_TEST_SUITE_P(ExamplesAndEfforts, CliExamples,
                         ::testing::Combine(::testing::Range(0, 3), ::testing::Range(1, 6)));

TEST_F(CliTest, OptionsRefusalsAndUsageErrors) {
  const auto changed = [](const std::string& from, const std::string& to) {
    return std::string(spring).replace(spring.find(from), from.size(), to);
  };
  // On success `expected` is in the result (or the optimiser's lines), otherwise on standard error.
  const std::tuple<std::string, const char*, int, const char*> cases[] = {
      {spring, "--weeks 1 --effort 1", 0,
       "2026\n\n   Week  1:    8 at  7      4 at  1      2 at  6      3 at  5    \n\n        1: Corner"},
      {spring, "--weeks 500 --effort 1", 0, "\n   Week200:   "},
      {spring, "--weeks=-3", 0, "Riverside Pool League - Spring 2026\n\n\n"},
      {spring, "--weeks +5 --csv", 0, ",   \n   Week  5:,   "},
      {spring, "--verbose", 0, " AT GENERATION #     1, COST ="},
      {changed("Teams >>\n8", "Teams >>\n0"), "", 1, "Stop !: Cannot schedule without teams.\n"},
      {changed("2  3  2\n", "2  3  1\n"), "", 1, "Stop !: Not enough tables for this bar: Eight Ball Saloon"},
      {changed("3  1  1\n", "7  1  1\n"), "", 1, "Stop !: Bar O'Malley's is numbered 7 instead of 3.\n"},
      {changed("1\nPocket Rockets", "9\nPocket Rockets"), "", 1, "Stop !: Team Pocket Rockets has no bar.\n"},
      {changed("2  3  2\n", "2  4  2\n"), "", 1, "Bar Eight Ball Saloon is given 4 as its number of teams"},
      {spring, "--output missing/schedule.txt", 1, "Stop !: Please use a valid file name.\n"},
      {spring, "--output league.sch", 1, "Stop !: Please use a valid file name.\n"},
      {"not a league\n", "", 1, "Sorry !: "},
      {spring, "--weeks 12abc", 2, "--weeks"},
      {spring, "--effort 5", 2, "--effort"},
      {spring, "--fair --variant 2 --weeks 1", 0, "\n   Week  1:  "},
      {changed("2  3  2\n", "2  3  1\n"), "--fair", 1,
       "Stop !: Not enough tables for this bar: Eight Ball Saloon"},
      {spring, "--fair --effort 2", 2, "--effort excludes --fair"},
      {spring, "--variant 2", 2, "--variant requires --fair"},
      {spring, "--fair --variant 1001", 2, "--variant"},
  };
  for (const auto& [league, arguments, status, expected] : cases) {
    fs::remove(work_ / "schedule.txt");
    EXPECT_EQ(schedule(league, arguments), status) << arguments << ": " << err;
    const std::string where = status == 0 ? read_file(work_ / "schedule.txt") + out : out + err;
    EXPECT_NE(where.find(expected), std::string::npos) << "expected " << expected << "\ngot " << where;
    EXPECT_EQ(read_file(work_ / "league.sch"), league) << "the league file is never touched";
    EXPECT_EQ(std::tuple(work_files().size(), out.empty()), std::tuple(status == 0 ? 2u : 1u, status != 0));
    EXPECT_TRUE(fs::is_empty(temp_));
  }
}

// Names from a league file reach the terminal in messages: an escape
// sequence that would retitle or clear it, a CR that would overwrite the
// line, a C1 control, all arrive escaped.
TEST_F(CliTest, ControlCharactersInNamesAreShownEscaped) {
  std::string league = spring;
  const std::string from = "1\nPocket Rockets";
  league.replace(league.find(from), from.size(),
                 "9\nPocket\x1b]0;owned\x07\x1b[2J\rRockets \xc2\x9b"
                 "1m");
  EXPECT_EQ(schedule(league, ""), 1);
  const std::string shown = "Team Pocket\\x1b]0;owned\\x07\\x1b[2J\\x0dRockets \\xc2\\x9b1m has no bar.\n";
  EXPECT_EQ(err, "Stopzzz !: " + shown + "They are left out when the league is saved.\nStop !: " + shown);
}

// The editor's automatic team can be a league's 100th; such a league is
// scheduled, and one of more teams is refused.
TEST_F(CliTest, AHundredTeamsAreScheduledAndNoMore) {
  ASSERT_EQ(schedule(league_of(100), "--effort 4"), 0) << err;
  const std::string text = read_file(work_ / "schedule.txt");
  std::set<std::string> visits;
  const std::regex match(R"(\d+ at *\d+)");
  for (std::sregex_iterator m(text.begin(), text.end(), match), end; m != end; ++m) visits.insert(m->str());
  EXPECT_EQ(visits.size(), 9900u);
  EXPECT_NE(text.find("\n      100: Team 100\n"), std::string::npos);
  EXPECT_EQ(schedule(league_of(101), ""), 1);
  EXPECT_EQ(
      err, "Sorry !: This league file cannot be read: its number of teams (101) is not between 0 and 100.\n");
}

// The desktop program keeps a league's path for its next save, in a room of
// 255 bytes; the command line keeps none, so any folder will do.
TEST_F(CliTest, LeaguesInDeepFoldersAreScheduled) {
  const std::string deep = std::string(100, 'd') + "/" + std::string(100, 'e') + "/" + std::string(100, 'f');
  ASSERT_GT((work_ / deep / "league.sch").string().size(), 255u);
  EXPECT_EQ(schedule(spring, "--effort 1", deep + "/league.sch"), 0) << err;
  EXPECT_EQ(out + err, "Schedule written to " + (work_ / "schedule.txt").string() + "\n");
  // Nor may its schedule replace it, named in any way.
  EXPECT_EQ(schedule(spring, "--output " + deep + "/../" + std::string(100, 'f') + "/league.sch",
                     deep + "/league.sch"),
            1);
  EXPECT_EQ(out + err, "Stop !: Please use a valid file name.\n");
  EXPECT_EQ(read_file(work_ / deep / "league.sch"), spring);
}

}  // namespace
