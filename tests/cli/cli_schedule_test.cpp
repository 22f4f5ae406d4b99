// quintora-cli schedule, end to end on the example leagues.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace {

namespace fs = std::filesystem;

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string text(std::istreambuf_iterator<char>(in), {});
  std::erase(text, '\r');  // Windows ends its lines with CR LF
  return text;
}

std::vector<std::string> lines_starting(const std::string& text, const std::string& start) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(start, 0) == 0) lines.push_back(line);
  }
  return lines;
}

struct CliRun {
  int status;
  std::string out, err;
};

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(root_);
    fs::create_directories(work_);
    fs::create_directories(temp_);
  }
  void TearDown() override { fs::remove_all(root_); }

  // Runs "quintora-cli schedule ARGUMENTS" in work_, its temporary folder pointed at temp_.
  CliRun schedule(const std::string& arguments) {
    const auto q = [](const fs::path& p) { return "\"" + p.string() + "\""; };
    const std::string program = q(QUINTORA_CLI) + " schedule " + arguments + " > " + q(root_ / "out") + " 2> " + q(root_ / "err");
#ifdef _WIN32
    const int status = std::system(("\"cd /d " + q(work_) + " && set \"TMP=" + temp_.string() + "\" && set \"TEMP=" +
                                    temp_.string() + "\" && " + program + "\"").c_str());
#else
    const int raw = std::system(("cd " + q(work_) + " && TMPDIR=" + q(temp_) + " " + program).c_str());
    const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
    return {status, read_file(root_ / "out"), read_file(root_ / "err")};
  }
  void use_league(const std::string& text) { std::ofstream(work_ / "league.sch", std::ios::binary) << text; }
  std::set<fs::path> work_files() const { return {fs::directory_iterator(work_), fs::directory_iterator()}; }

  const fs::path root_ = fs::temp_directory_path() / ("quintora-cli-" + std::to_string(std::hash<std::string>()(
                                                          testing::UnitTest::GetInstance()->current_test_info()->name())));
  const fs::path work_ = root_ / "work";
  const fs::path temp_ = root_ / "tmp";
};

class CliExamples : public CliTest,
                    public ::testing::WithParamInterface<std::tuple<std::tuple<const char*, int>, int>> {};

TEST_P(CliExamples, ScheduleIsCompleteAndNoWorkFileStays) {
  const auto [example, effort] = GetParam();
  const auto [file, teams] = example;
  use_league(read_file(fs::path(QUINTORA_EXAMPLES) / file));
  const CliRun run = schedule("league.sch --effort " + std::to_string(effort));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "Schedule written to " + (work_ / "schedule.txt").string() + "\n");
  EXPECT_EQ(work_files(), (std::set{work_ / "league.sch", work_ / "schedule.txt"}));
  EXPECT_TRUE(fs::is_empty(temp_)) << "the optimiser's work folder must be gone";

  // The default two passes: every team once a week, every team at every other team's bar once.
  const std::string text = read_file(work_ / "schedule.txt");
  const auto weeks = lines_starting(text, "   Week");
  EXPECT_EQ(weeks.size(), static_cast<std::size_t>(2 * (teams - 1 + teams % 2)));
  std::set<std::pair<int, int>> visits;
  for (const auto& line : weeks) {
    std::istringstream in(line.substr(11));
    std::set<int> seen;
    for (int home, away; in >> home >> std::ws && in.get() == 'a' && in.get() == 't' && in >> away;) {
      visits.insert({home, away});
      seen.insert({home, away});
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(teams - teams % 2)) << line;
  }
  EXPECT_EQ(visits.size(), static_cast<std::size_t>(teams * (teams - 1)));
  EXPECT_EQ(lines_starting(text, "      ").size(), static_cast<std::size_t>(teams));  // the legend
}

INSTANTIATE_TEST_SUITE_P(ExamplesAndEfforts, CliExamples,
                         ::testing::Combine(::testing::Values(std::tuple{"spring-league.sch", 8},
                                                              std::tuple{"odd-league.sch", 11},
                                                              std::tuple{"county-league.sch", 97}),
                                            ::testing::Range(1, 5)));

TEST_F(CliTest, SpringLeagueInTableOrderByteForByte) {
  use_league(read_file(fs::path(QUINTORA_EXAMPLES) / "spring-league.sch"));
  ASSERT_EQ(schedule("league.sch --weeks 4 --effort 1").status, 0);
  EXPECT_EQ(read_file(work_ / "schedule.txt"),
            "\n\n     Riverside Pool League - Spring 2026\n\n"
            "   Week  1:    8 at  7      4 at  1      2 at  6      3 at  5    \n"
            "   Week  2:    6 at  8      7 at  1      4 at  3      2 at  5    \n"
            "   Week  3:    5 at  8      7 at  6      1 at  3      4 at  2    \n"
            "   Week  4:    8 at  4      5 at  7      1 at  6      3 at  2    \n"
            "\n        1: Corner Pocket\n        2: Pocket Rockets\n        3: Eight Ball Saloon\n        4: Cue Tips\n"
            "        5: Chalk & Cheese\n        6: O'Malley's\n        7: Les Boules\n        8: Side Spin\n");
}

TEST_F(CliTest, OptionsShapeTheSchedule) {
  use_league(read_file(fs::path(QUINTORA_EXAMPLES) / "spring-league.sch"));
  fs::create_directories(work_ / "out");
  const std::tuple<const char*, const char*, std::size_t, bool> cases[] = {
      {"--weeks 500 --effort 1", "schedule.txt", 200, false},
      {"--weeks=-3", "schedule.txt", 0, false},
      {"--weeks +5 --csv", "schedule.txt", 5, true},
      {"--output out/s.txt --weeks 1 --effort 3", "out/s.txt", 1, false}};
  for (const auto& [arguments, file, weeks, csv] : cases) {
    ASSERT_EQ(schedule(std::string("league.sch ") + arguments).status, 0) << arguments;
    const std::string text = read_file(work_ / file);
    EXPECT_EQ(lines_starting(text, "   Week").size(), weeks) << arguments;
    EXPECT_EQ(lines_starting(text, "   Week  1:,").size(), csv ? 1u : 0u) << arguments;
  }
  EXPECT_EQ(lines_starting(schedule("league.sch").out, "").size(), 1u);
  EXPECT_GT(lines_starting(schedule("league.sch --verbose").out, "").size(), 1u) << "the optimiser's lines";
}

TEST_F(CliTest, RefusalsAndUsageErrorsExplainThemselvesAndWriteNothing) {
  const std::string spring = read_file(fs::path(QUINTORA_EXAMPLES) / "spring-league.sch");
  const auto changed = [&](const std::string& from, const std::string& to) {
    return std::string(spring).replace(spring.find(from), from.size(), to);
  };
  const std::tuple<std::string, std::string, int, std::string> cases[] = {
      {changed("<< Number of Teams >>\n8", "<< Number of Teams >>\n0"), "", 1, "Stop !: Cannot schedule without teams.\n"},
      {changed("2  3  2\n", "2  3  1\n"), "", 1, "Stop !: Not enough tables for this bar: Eight Ball Saloon\n"},
      {changed("3  1  1\n", "7  1  1\n"), "", 1, "Stop !: Bar O'Malley's is numbered 7 instead of 3.\n"},
      {changed("1\nPocket Rockets", "9\nPocket Rockets"), "", 1, "Stop !: Team Pocket Rockets has no bar.\n"},
      {spring, "--output ./league.sch", 1, "Stop !: Please use a valid file name.\n"},
      {spring, "--output missing/schedule.txt", 1, "Stop !: Please use a valid file name.\n"},
      {"not a league\n", "", 1, "Sorry !: "},
      {spring, "--weeks 12abc", 2, "--weeks"},
      {spring, "--effort 5", 2, "--effort"},
      {spring, "--bogus", 2, "--bogus"},
  };
  for (const auto& [league, arguments, status, message] : cases) {
    use_league(league);
    const CliRun run = schedule("league.sch " + arguments);
    EXPECT_EQ(run.status, status) << message;
    EXPECT_NE(run.err.find(message), std::string::npos) << "expected " << message << "\ngot " << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(read_file(work_ / "league.sch"), league) << "the league file is never touched";
    EXPECT_EQ(work_files(), std::set{work_ / "league.sch"});
    EXPECT_TRUE(fs::is_empty(temp_));
  }
  EXPECT_EQ(schedule("").status, 2);
}

}  // namespace
