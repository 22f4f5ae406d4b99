#include "optimiser/zorav.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "round_robin.h"

namespace quintora::optimiser {
namespace {

namespace fs = std::filesystem;

std::string read_text(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

// Lines other than the processor time, which differs from run to run.
std::string without_cpu_time(const std::string& text) {
  std::string kept;
  for (const std::string& line : lines_of(text)) {
    if (line.rfind(" CPU TIME =", 0) != 0) kept += line + "\n";
  }
  return kept;
}

int count_lines_starting(const std::string& text, const std::string& start) {
  int n = 0;
  for (const std::string& line : lines_of(text)) n += line.rfind(start, 0) == 0 ? 1 : 0;
  return n;
}

class ZoravRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() /
              (std::string("quintora_zorav_") + info->name() + "_" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  void write_input(const std::string& text) { std::ofstream(folder_ / "optimal.inp", std::ios::binary) << text; }

  ZoravResult run(int effort) {
    out_.str("");
    return ZORAV(folder_, effort, out_);
  }

  std::string report() const { return read_text(folder_ / "ZORAV.OUT"); }
  std::string order() const { return read_text(folder_ / "optimal.out"); }
  bool has_order() const { return fs::exists(folder_ / "optimal.out"); }

  fs::path folder_;
  std::ostringstream out_;
};

// Every failure: the message, then the stop text, on standard output; a
// status for the caller; no order file.
struct FailureCase {
  const char* name;
  const char* input;  // nullptr: no input file
  ZoravStatus status;
  const char* message;
};

TEST_F(ZoravRunTest, FailuresStopCleanlyWithoutAnOrder) {
  const FailureCase cases[] = {
      {"missing input", nullptr, ZoravStatus::InputMissing, "CANNOT FIND INPUT FILE: ZORAV.INP"},
      {"NV above 99", "200 199 100 1\n", ZoravStatus::TooManyRounds, "NV MUST BE LESS THAN OR EQUAL TO  99"},
      {"empty input", "", ZoravStatus::BadInput, "BAD INPUT FILE optimal.inp: HEADER ENDS EARLY"},
      {"bad header", "5 4 2 1\n", ZoravStatus::BadInput, "BAD INPUT FILE optimal.inp: TEAM COUNT 5 MUST BE EVEN, FROM 2 TO 100"},
      {"short input", "4 3 1 2\n1 2\n3 1\n", ZoravStatus::BadInput, "BAD INPUT FILE optimal.inp: ROUND 3 ENDS EARLY"},
      {"not a number", "4 3 1 2\n1 2\n3 1\n3 b\n", ZoravStatus::BadInput,
       "BAD INPUT FILE optimal.inp: ROUND 3 LINE 4: \"b\" IS NOT AN INTEGER"},
  };
  for (const FailureCase& c : cases) {
    fs::remove(folder_ / "optimal.inp");
    if (c.input != nullptr) write_input(c.input);
    const ZoravResult result = run(2);
    EXPECT_EQ(result.status, c.status) << c.name;
    EXPECT_EQ(result.message, c.message) << c.name;
    EXPECT_EQ(out_.str(), std::string(" ") + c.message + "\nStop - Program terminated.\n") << c.name;
    EXPECT_FALSE(has_order()) << c.name;
  }
}

TEST_F(ZoravRunTest, ReportEchoesTheHeaderBeforeTheRoundCheck) {
  write_input("200 199 100 1\n1 2\n");
  EXPECT_EQ(run(2).status, ZoravStatus::TooManyRounds);
  EXPECT_EQ(report(), " 200 199 100 1\n \n");
  write_input("4 3 1 2\n1 2\n3 1\n3 3\n");
  EXPECT_EQ(run(2).status, ZoravStatus::BadInput);
  EXPECT_EQ(report(), " 4 3 1 2\n \n 1 2\n 3 1\n");
}

TEST_F(ZoravRunTest, UnwritableFilesAreFailures) {
  write_input("2  1  1  1\n2 1  \n");
  fs::create_directory(folder_ / "ZORAV.OUT");  // cannot be created as a file
  ZoravResult result = run(2);
  EXPECT_EQ(result.status, ZoravStatus::ReportNotCreatable);
  EXPECT_EQ(result.message, "CANNOT CREATE OUTPUT FILE: ZORAV.OUT");
  fs::remove(folder_ / "ZORAV.OUT");

  fs::create_directory(folder_ / "optimal.out");
  result = run(2);
  EXPECT_EQ(result.status, ZoravStatus::OutputNotWritable);
  EXPECT_NE(out_.str().find("Stop - Program terminated."), std::string::npos);
  EXPECT_TRUE(fs::is_directory(folder_ / "optimal.out"));

  EXPECT_EQ(ZORAV(folder_ / "no such folder", 2, out_).status, ZoravStatus::InputMissing);
}

TEST_F(ZoravRunTest, TwoTeamsReachTheTargetAtTheFirstEvaluation) {
  write_input("2  1  1  1\n2 1  \n");
  const ZoravResult result = run(2);
  ASSERT_EQ(result.status, ZoravStatus::Ok) << result.message;
  EXPECT_EQ(result.evaluations, 1);
  EXPECT_EQ(order(), " 1\n");
  const std::string out = out_.str();
  EXPECT_EQ(count_lines_starting(out, " AT GENERATION"), 0);
  EXPECT_NE(out.find(" \n TARGET COST VALUE IS REACHED. PROGRAM STOPS.\n THE BEST SOLUTION FOUND IS :\n"), std::string::npos);
  EXPECT_NE(out.find("       # COST                     =   0.00000D+00       #\n"), std::string::npos);
  EXPECT_NE(out.find(" NUMBER OF POSSIBILITIES =  1\n NUMBER OF FUNCTION EVALUATIONS =  1\n CPU TIME ="), std::string::npos);
  EXPECT_EQ(without_cpu_time(report()),
            " 2 1 1 1\n"
            " \n"
            " 2 1\n"
            " \n"
            " TARGET COST VALUE IS REACHED. PROGRAM STOPS.\n"
            " THE BEST SOLUTION FOUND IS :\n"
            "\n"
            "       ##################################################\n"
            "       #                                                #\n"
            "       #                USABLE SOLUTION                 #\n"
            "       #                                                #\n"
            "       ##################################################\n"
            "       # COST                     =   0.00000D+00       #\n"
            "       # ---------------------------------------------- #\n"
            "       # DESIGN VARIABLE (  1)        =    1            #\n"
            "       #                                                #\n"
            "       ##################################################\n"
            " NUMBER OF POSSIBILITIES =  1\n"
            " NUMBER OF FUNCTION EVALUATIONS =  1\n"
            " 21\n"
            " ALTERNATION VIOLATION: \n"
            "    0    0\n"
            "IND =     2    1\n"
            " CONSECTIVE NIGHTS: \n"
            "MAX =     1    1\n");
}

// Three teams cost 3 in every order, so the best cost never changes: the
// factor is raised after L unchanged generations and the run stops after 2L
// more.
TEST_F(ZoravRunTest, UnchangingCostStallsOnScheduleForEveryEffort) {
  const struct {
    int effort;
    int increase_after;  // generation whose trace precedes the notice
    int last;
    const char* last_line;
  } cases[] = {
      {2, 6, 16, " LAST  5 GENERATIONS. PROGRAM STOPS."},
      {3, 11, 31, " LAST 10 GENERATIONS. PROGRAM STOPS."},
      {4, 51, 151, " LAST 50 GENERATIONS. PROGRAM STOPS."},
      {9, 6, 16, " LAST  5 GENERATIONS. PROGRAM STOPS."},
  };
  write_input("4  3  1  2\n1 2  \n3 1  \n3 2  \n");
  for (const auto& c : cases) {
    const ZoravResult result = run(c.effort);
    ASSERT_EQ(result.status, ZoravStatus::Ok) << result.message;
    const std::string out = out_.str();
    EXPECT_EQ(count_lines_starting(out, " AT GENERATION"), c.last) << c.effort;
    const std::vector<std::string> lines = lines_of(out);
    std::size_t notice = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (lines[i] == " *** POSSIBILITY OF PERMUTATION IS INCREASED ***") notice = i;
    }
    ASSERT_GE(notice, 4u);
    // trace line, caption, one order line, blank line, notice
    EXPECT_EQ(lines[notice - 4], " AT GENERATION #" + std::string(6 - std::to_string(c.increase_after).size(), ' ') +
                                     std::to_string(c.increase_after) + ", COST =   3.00000D+00")
        << c.effort;
    EXPECT_NE(out.find(" SOLUTION IS NOT IMPROVED IN THE\n" + std::string(c.last_line) + "\n"), std::string::npos);
    EXPECT_EQ(count_lines_starting(report(), " AT GENERATION"), c.last);
  }
}

// Whole runs checked against a separate model of the search written from
// the rules alone (another language, its own generator, operators, cost and
// record rounding): same stop, evaluation count, best cost and order. The
// tables are the six-team round-robin and its five-team form with the dummy
// left out, the eight-team one, and lower-team-first tables whose costs pass
// a million, so that the six-digit record rounding steers the search.
TEST_F(ZoravRunTest, RunsMatchAnIndependentModel) {
  const std::string six = "6  5  3  1\n6 5  1 3  2 4  \n4 6  5 1  3 2  \n6 3  5 4  1 2  \n2 6  3 5  4 1  \n6 1  5 2  4 3  \n";
  const std::string five = "6  5  2  2\n1 3  2 4  \n5 1  3 2  \n5 4  1 2  \n3 5  4 1  \n5 2  4 3  \n";
  const std::string eight =
      "8  7  4  1\n8 7  1 4  2 6  3 5  \n6 8  7 1  4 3  5 2  \n8 5  7 6  1 3  2 4  \n4 8  5 7  6 1  3 2  \n"
      "8 3  7 4  6 5  1 2  \n2 8  3 7  4 6  5 1  \n8 1  7 2  6 3  5 4  \n";
  const struct {
    const char* name;
    std::string input;
    int effort;
    long evaluations;
    int generations;
    const char* cost;
    const char* order;
    const char* stop;
  } cases[] = {
      {"three teams", "4  3  1  2\n1 2  \n3 1  \n3 2  \n", 2, 342, 16, "3.00000D+00", "3 2 1", "NOT IMPROVED"},
      {"six teams", six, 2, 348, 16, "1.60000D+01", "2 1 5 4 3", "NOT IMPROVED"},
      {"six teams", six, 3, 628, 31, "1.60000D+01", "2 1 5 4 3", "NOT IMPROVED"},
      {"six teams", six, 4, 2898, 151, "1.60000D+01", "5 1 2 4 3", "NOT IMPROVED"},
      {"five teams", five, 2, 348, 16, "5.00000D+00", "3 5 4 1 2", "NOT IMPROVED"},
      {"five teams", five, 4, 2898, 151, "5.00000D+00", "3 4 1 5 2", "NOT IMPROVED"},
      {"eight teams", eight, 3, 628, 31, "2.40000D+01", "2 1 7 6 5 3 4", "NOT IMPROVED"},
      {"30 teams, lower first", testing::input_text(testing::lower_first_round_robin(30)), 2, 880, 50, "2.79670D+04",
       "14 22 3 24 4 15 7 26 16 8 1 5 9 13 20 10 17 12 21 27 18 25 29 6 28 23 19 11 2", "ITERATION LIMIT"},
      {"31 teams, lower first", testing::input_text(testing::lower_first_round_robin(31)), 2, 784, 50, "3.01770D+04",
       "31 26 19 9 17 29 7 16 4 23 28 2 24 20 30 3 10 14 5 12 8 18 27 21 25 13 22 11 15 6 1", "ITERATION LIMIT"},
      {"100 teams, lower first", testing::input_text(testing::lower_first_round_robin(100)), 2, 707, 50, "1.18097D+06",
       "6 41 69 4 40 24 58 77 17 2 70 92 23 48 75 83 53 10 71 51 12 25 50 87 68 98 42 32 44 99 81 61 38 78 91 21 35 55 "
       "52 86 65 79 95 60 74 30 11 97 72 43 15 27 3 64 31 96 67 49 1 22 39 54 34 18 62 80 56 89 28 16 7 26 5 33 9 93 84 "
       "63 47 73 82 90 20 36 14 94 8 29 57 13 88 76 59 37 19 85 46 45 66",
       "ITERATION LIMIT"},
  };
  for (const auto& c : cases) {
    write_input(c.input);
    const ZoravResult result = run(c.effort);
    ASSERT_EQ(result.status, ZoravStatus::Ok) << c.name << ": " << result.message;
    EXPECT_EQ(result.evaluations, c.evaluations) << c.name << " effort " << c.effort;
    const std::string out = out_.str();
    EXPECT_EQ(count_lines_starting(out, " AT GENERATION"), c.generations) << c.name << " effort " << c.effort;
    EXPECT_NE(out.find(std::string("# COST                     =   ") + c.cost), std::string::npos) << c.name;
    EXPECT_NE(out.find(c.stop), std::string::npos) << c.name;
    std::string written;
    for (const std::string& line : lines_of(order())) {
      if (!written.empty()) written += ' ';
      written += line.substr(1);
    }
    EXPECT_EQ(written, c.order) << c.name << " effort " << c.effort;
  }
}

TEST_F(ZoravRunTest, SameInputSameResult) {
  write_input(testing::input_text(testing::round_robin(12, 9)));
  const ZoravResult first = run(3);
  ASSERT_EQ(first.status, ZoravStatus::Ok) << first.message;
  const std::string first_out = without_cpu_time(out_.str());
  const std::string first_report = without_cpu_time(report());
  const std::string first_order = order();
  const ZoravResult second = run(3);
  ASSERT_EQ(second.status, ZoravStatus::Ok);
  EXPECT_EQ(second.evaluations, first.evaluations);
  EXPECT_EQ(without_cpu_time(out_.str()), first_out);
  EXPECT_EQ(without_cpu_time(report()), first_report);
  EXPECT_EQ(order(), first_order);
  // The order is a permutation of the rounds.
  std::vector<int> seen(12, 0);
  for (const std::string& line : lines_of(first_order)) ++seen[static_cast<std::size_t>(std::stoi(line))];
  for (int r = 1; r <= 11; ++r) EXPECT_EQ(seen[static_cast<std::size_t>(r)], 1) << r;
}

}  // namespace
}  // namespace quintora::optimiser
