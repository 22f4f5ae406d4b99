// quintora-cli schedule, end to end on the example leagues.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli_process.h"

namespace quintora::test {
namespace {

namespace fs = std::filesystem;

struct Example {
  const char* file;
  int teams;
  int default_weeks;
};

const Example examples[] = {
    {"spring-league.sch", 8, 14},
    {"odd-league.sch", 11, 22},
    {"county-league.sch", 97, 194},
};

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> week_lines(const std::string& text) {
  std::vector<std::string> weeks;
  for (const auto& line : lines_of(text)) {
    if (line.rfind("   Week", 0) == 0) weeks.push_back(line);
  }
  return weeks;
}

int legend_lines(const std::string& text) {
  int n = 0;
  for (const auto& line : lines_of(text)) n += line.size() > 10 && line.rfind("      ", 0) == 0 && line[9] == ':' ? 1 : 0;
  return n;
}

// The team numbers of one week line, in the order they stand.
std::vector<int> teams_of(const std::string& line) {
  std::vector<int> teams;
  std::istringstream in(line.substr(11));
  for (std::string word; in >> word;) {
    if (!word.empty() && word.back() == ',') word.pop_back();
    if (!word.empty() && word.find_first_not_of("0123456789") == std::string::npos) teams.push_back(std::stoi(word));
  }
  return teams;
}

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "-" + info->name();
    for (char& c : name) c = (c == '/' ? '-' : c);
    root_ = fs::temp_directory_path() / ("quintora-cli-test-" + name);
    fs::remove_all(root_);
    work_ = root_ / "work";
    temp_ = root_ / "tmp";
    fs::create_directories(work_);
    fs::create_directories(temp_);
  }
  void TearDown() override { fs::remove_all(root_); }

  void copy_example(const char* file, const char* as = "league.sch") {
    fs::copy_file(fs::path(QUINTORA_EXAMPLES) / file, work_ / as, fs::copy_options::overwrite_existing);
  }
  void write_league(const std::string& text) { std::ofstream(work_ / "league.sch", std::ios::binary) << text; }
  CliRun schedule(const std::string& arguments) { return run_cli(work_, temp_, "schedule " + arguments); }
  std::set<std::string> work_files() const {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(work_)) names.insert(e.path().filename().string());
    return names;
  }
  bool temp_is_empty() const { return fs::is_empty(temp_); }

  fs::path root_;
  fs::path work_;
  fs::path temp_;
};

class CliExampleTest : public CliTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(CliExampleTest, SchedulesTheExampleCompletelyAndLeavesNoWorkFiles) {
  const Example& example = examples[GetParam().first];
  const int effort = GetParam().second;
  copy_example(example.file);
  const CliRun run = schedule("league.sch --effort " + std::to_string(effort));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "Schedule written to " + (work_ / "schedule.txt").string() + "\n");
  EXPECT_EQ(work_files(), (std::set<std::string>{"league.sch", "schedule.txt"}));
  EXPECT_TRUE(temp_is_empty()) << "the optimiser's work folder must be gone";

  const std::string text = read_file(work_ / "schedule.txt");
#ifndef _WIN32
  EXPECT_EQ(text.find('\r'), std::string::npos);
#endif
  const std::string title = lines_of(read_file(work_ / "league.sch")).at(2);
  EXPECT_EQ(lines_of(text).at(2), "     " + title.substr(0, title.find('\r')));
  EXPECT_EQ(legend_lines(text), example.teams);

  // Every team plays or sits out exactly once a week, and over the two
  // passes every team visits every other team exactly once.
  const auto weeks = week_lines(text);
  ASSERT_EQ(static_cast<int>(weeks.size()), example.default_weeks);
  std::map<std::pair<int, int>, int> visits;
  for (const auto& line : weeks) {
    const auto teams = teams_of(line);
    ASSERT_EQ(static_cast<int>(teams.size()), example.teams) << line;
    EXPECT_EQ(std::set<int>(teams.begin(), teams.end()).size(), teams.size()) << line;
    for (std::size_t i = 0; i + 1 < teams.size(); i += 2) ++visits[{teams[i], teams[i + 1]}];
  }
  EXPECT_EQ(static_cast<int>(visits.size()), example.teams * (example.teams - 1));
  for (const auto& [pair, count] : visits) EXPECT_EQ(count, 1) << pair.first << " at " << pair.second;
}

INSTANTIATE_TEST_SUITE_P(ExamplesAndEfforts, CliExampleTest,
                         ::testing::Values(std::pair{0, 1}, std::pair{0, 2}, std::pair{0, 3}, std::pair{0, 4},
                                           std::pair{1, 1}, std::pair{1, 2}, std::pair{1, 3}, std::pair{1, 4},
                                           std::pair{2, 1}, std::pair{2, 2}, std::pair{2, 3}, std::pair{2, 4}));

TEST_F(CliTest, SpringLeagueInTableOrderByteForByte) {
  copy_example("spring-league.sch");
  ASSERT_EQ(schedule("league.sch --weeks 4 --effort 1").status, 0);
  std::string text = read_file(work_ / "schedule.txt");
  std::erase(text, '\r');  // Windows ends its lines with CR LF
  EXPECT_EQ(text,
            "\n"
            "\n"
            "     Riverside Pool League - Spring 2026\n"
            "\n"
            "   Week  1:    8 at  7      4 at  1      2 at  6      3 at  5    \n"
            "   Week  2:    6 at  8      7 at  1      4 at  3      2 at  5    \n"
            "   Week  3:    5 at  8      7 at  6      1 at  3      4 at  2    \n"
            "   Week  4:    8 at  4      5 at  7      1 at  6      3 at  2    \n"
            "\n"
            "        1: Corner Pocket\n"
            "        2: Pocket Rockets\n"
            "        3: Eight Ball Saloon\n"
            "        4: Cue Tips\n"
            "        5: Chalk & Cheese\n"
            "        6: O'Malley's\n"
            "        7: Les Boules\n"
            "        8: Side Spin\n");
}

TEST_F(CliTest, OptimisedOrderIsReproducibleAndDiffersFromTableOrder) {
  copy_example("odd-league.sch");
  ASSERT_EQ(schedule("league.sch --effort 1 --output plain.txt").status, 0);
  ASSERT_EQ(schedule("league.sch --effort 4 --output best.txt").status, 0);
  ASSERT_EQ(schedule("league.sch --effort 4 --output again.txt").status, 0);
  EXPECT_NE(read_file(work_ / "plain.txt"), read_file(work_ / "best.txt"));
  EXPECT_EQ(read_file(work_ / "best.txt"), read_file(work_ / "again.txt"));
}

TEST_F(CliTest, OptionsShapeTheSchedule) {
  copy_example("spring-league.sch");
  struct Case {
    const char* arguments;
    int weeks;
    const char* first_week_start;
  };
  const Case cases[] = {
      {"--weeks 500 --effort 1", 200, "   Week  1:  "},
      {"--weeks=-3", 0, nullptr},
      {"--weeks 0", 0, nullptr},
      {"--weeks 3 --csv", 3, "   Week  1:, "},
      {"--weeks +5 --effort 3", 5, "   Week  1:  "},
  };
  for (const auto& c : cases) {
    const CliRun run = schedule(std::string("league.sch ") + c.arguments);
    ASSERT_EQ(run.status, 0) << c.arguments << ": " << run.err;
    const auto weeks = week_lines(read_file(work_ / "schedule.txt"));
    ASSERT_EQ(static_cast<int>(weeks.size()), c.weeks) << c.arguments;
    if (c.first_week_start) {
      EXPECT_EQ(weeks[0].rfind(c.first_week_start, 0), 0u) << weeks[0];
    }
  }
  fs::create_directories(work_ / "out");
  ASSERT_EQ(schedule("league.sch --output out/s.csv --csv").status, 0);
  EXPECT_TRUE(fs::exists(work_ / "out" / "s.csv"));
}

TEST_F(CliTest, VerboseShowsTheOptimisersLines) {
  copy_example("spring-league.sch");
  const CliRun quiet = schedule("league.sch");
  const CliRun verbose = schedule("league.sch --verbose");
  ASSERT_EQ(quiet.status, 0);
  ASSERT_EQ(verbose.status, 0);
  EXPECT_EQ(lines_of(quiet.out).size(), 1u);
  EXPECT_GT(lines_of(verbose.out).size(), 1u);
  EXPECT_EQ(lines_of(verbose.out).back(), lines_of(quiet.out).back());
}

TEST_F(CliTest, RefusedLeaguesAndNamesExplainThemselves) {
  const std::string spring = read_file(fs::path(QUINTORA_EXAMPLES) / "spring-league.sch");
  auto changed = [&](const std::string& from, const std::string& to) {
    std::string text = spring;
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
  };
  const std::string empty_league =
      "!! Version 1.4.0\r\n<< Title >>\r\nEmpty\r\n<< Number of Bars and Gap of Position Night >>\r\n0  0\r\n"
      "<< BARS: Bar number, Number of Teams, Number of Tables and Bar Name >>\r\n<< Number of Teams >>\r\n0\r\n"
      "<< TEAMS: Corresponding Bar Number and Team Name >>\r\n";
  struct Case {
    std::string league;
    std::string arguments;
    std::string message;
  };
  const Case cases[] = {
      {empty_league, "", "Stop !: Cannot schedule without teams."},
      {changed("2  3  2\r\n", "2  3  1\r\n"), "", "Stop !: Not enough tables for this bar: Eight Ball Saloon"},
      {changed("3  1  1\r\n", "7  1  1\r\n"), "", "Stop !: Bar O'Malley's is numbered 7 instead of 3."},
      {changed("1\r\nPocket Rockets", "9\r\nPocket Rockets"), "", "Stop !: Team Pocket Rockets has no bar."},
      {spring, "--output league.sch", "Stop !: Please use a valid file name."},
      {spring, "--output ./league.sch", "Stop !: Please use a valid file name."},
      {spring, "--output missing/schedule.txt", "Stop !: Please use a valid file name."},
      {spring, "--output .", "Stop !: Please use a valid file name."},
      {"not a league\r\n", "", "Sorry !: "},
  };
  for (const auto& c : cases) {
    write_league(c.league);
    const CliRun run = schedule("league.sch " + c.arguments);
    EXPECT_EQ(run.status, 1) << c.message;
    EXPECT_NE(run.err.find(c.message + (c.message.back() == ' ' ? "" : "\n")), std::string::npos)
        << "expected " << c.message << "\ngot " << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(read_file(work_ / "league.sch"), c.league) << "the league file is never touched";
    EXPECT_EQ(work_files(), std::set<std::string>{"league.sch"});
    EXPECT_TRUE(temp_is_empty());
  }
  const CliRun missing = schedule("no-such-league.sch");
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("Stop !: "), std::string::npos);
}

TEST_F(CliTest, UsageErrorsExitWithTwoAndWriteNothing) {
  copy_example("spring-league.sch");
  for (const char* arguments : {"league.sch --weeks abc", "league.sch --weeks 12abc", "league.sch --weeks ''",
                                "league.sch --effort 0", "league.sch --effort 5", "league.sch --effort x", "",
                                "league.sch --bogus"}) {
    const CliRun run = schedule(arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_FALSE(run.err.empty()) << arguments;
    EXPECT_EQ(work_files(), std::set<std::string>{"league.sch"}) << arguments;
  }
}

}  // namespace
}  // namespace quintora::test
