// The fairness report: counts on seasons whose answers are known by hand, the
// fewest-breaks bound against every schedule of small leagues (Fairest meeting
// it is counted on the schedule file, in the schedule tests), and the exact
// text and JSON of hostile names.

#include "report/fairness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "schedule/league_builder.h"
#include "schedule/schedule_options.h"

namespace quintora::report {
namespace {

using namespace std::string_literals;
using season::Season;
using test::at;

// Teams 1 and 2, both of bar 1, over one week per letter of team 1's
// pattern: H it hosts team 2, A it visits, '-' it has the bye ("Not
// Playing"), '.' neither plays and no team has the bye.
Season two_teams(std::string_view pattern, std::string name_1 = "One", std::string name_2 = "Two") {
  Season s;
  s.bars = {{"Crown", 1}};
  s.teams = {{std::move(name_1), 1}, {std::move(name_2), 1}};
  s.rounds_per_pass = 1;
  for (const char side : pattern) {
    season::Week week{static_cast<int>(s.weeks.size()) + 1, {}, {}, side == '-' ? 1 : 0};
    if (side == 'H' || side == 'A')
      week.matches.push_back(side == 'H' ? season::Match{1, 2} : season::Match{2, 1});
    s.weeks.push_back(week);
  }
  return s;
}

auto counts(const TeamLine& t) {
  return std::tuple(t.number, t.name, t.home, t.away, t.byes, t.breaks, t.longest_home_run,
                    t.longest_away_run);
}

auto counts(const BarLine& b) {
  return std::tuple(b.number, b.name, b.tables, b.most_in_a_week, b.weeks_over_tables);
}

TEST(Assess, BreaksAndRunsSkipTheWeeksATeamDoesNotPlay) {
  // team 1's pattern, home, away, byes, breaks, longest home run, longest away run
  const std::tuple<const char*, int, int, int, int, int, int> cases[] = {
      {"", 0, 0, 0, 0, 0, 0},         {"HAHA", 2, 2, 0, 0, 1, 1},
      {"HH", 2, 0, 0, 1, 2, 0},       {"H-H", 2, 0, 1, 1, 2, 0},  // the bye between does not end the run
      {"H-A", 1, 1, 1, 0, 1, 1},      {"-H", 1, 0, 1, 0, 1, 0},
      {"H..H", 2, 0, 0, 1, 2, 0},  // idle weeks without a bye are skipped as well
      {"AA-A-AH", 1, 4, 2, 3, 1, 4},  {"HHAAAHH", 4, 3, 0, 4, 2, 3},
      {"AHHHAHHA", 5, 3, 0, 3, 3, 1},
  };
  for (const auto& [pattern, home, away, byes, breaks, longest_home, longest_away] : cases) {
    const Fairness f = assess(two_teams(pattern));
    ASSERT_EQ(f.teams.size(), 2u);
    EXPECT_EQ(counts(f.teams[0]), std::tuple(1, "One", home, away, byes, breaks, longest_home, longest_away))
        << pattern;
    // Team 2 plays the mirror of team 1's weeks and never has the bye.
    EXPECT_EQ(counts(f.teams[1]), std::tuple(2, "Two", away, home, 0, breaks, longest_away, longest_home))
        << pattern;
    EXPECT_EQ(f.total_breaks, 2 * breaks) << pattern;
  }
}

TEST(Assess, BarsCountTheMatchesTheirTeamsHost) {
  // Bar 1 (one table) holds teams 1, 2 and 5; bar 2 (two tables) teams 3, 4 and 6.
  Season s;
  s.bars = {{"Crown", 1}, {"Lion", 2}};
  s.teams = {{"A", 1}, {"B", 1}, {"C", 2}, {"D", 2}, {"E", 1}, {"F", 2}};
  s.rounds_per_pass = 5;
  s.weeks = {{1, {}, {{1, 3}, {2, 4}, {5, 6}}, 0},   // bar 1 hosts three: over
             {2, {}, {{3, 1}, {4, 2}, {6, 5}}, 0},   // bar 2 hosts three: over
             {3, {}, {{1, 2}, {3, 4}, {6, 5}}, 0},   // one and two: within
             {4, {}, {{1, 3}, {5, 4}, {2, 6}}, 0},   // bar 1 three again
             {5, {}, {{1, 5}, {3, 2}, {4, 6}}, 0}};  // one and two
  const Fairness f = assess(s);
  ASSERT_EQ(f.bars.size(), 2u);
  EXPECT_EQ(counts(f.bars[0]), std::tuple(1, "Crown", 1, 3, 2));
  EXPECT_EQ(counts(f.bars[1]), std::tuple(2, "Lion", 2, 3, 1));
  // Team 1: H A H H H, one run of three at home.
  EXPECT_EQ(std::tuple(f.teams[0].breaks, f.teams[0].longest_home_run), std::tuple(2, 3));
}

TEST(Assess, NumbersOutsideTheLeagueArePassedOver) {
  Season s;
  s.bars = {{"Crown", 1}};
  s.teams = {{"A", 1}, {"B", 7}, {"C", 1}};  // bar 7 does not exist
  s.rounds_per_pass = 3;
  s.weeks = {{1, {}, {{0, 1}, {1, 4}, {-5, 2}, {2, 2}, {2, 3}}, 9}, {2, {}, {{1, 3}}, -1}};
  const Fairness f = assess(s);
  ASSERT_EQ(f.teams.size(), 3u);
  EXPECT_EQ(std::tuple(f.teams[0].home, f.teams[0].away, f.teams[0].byes), std::tuple(1, 0, 0));
  EXPECT_EQ(std::tuple(f.teams[1].home, f.teams[1].away), std::tuple(1, 0));
  EXPECT_EQ(std::tuple(f.teams[2].home, f.teams[2].away, f.teams[2].breaks), std::tuple(0, 2, 1));
  EXPECT_EQ(f.bars[0].most_in_a_week, 1);  // only team 1's match is at a bar that exists
  EXPECT_EQ(assess(Season{}).total_breaks, 0);
}

// ---- The fewest breaks ----

// Whole passes only (rounds a pass: n - 1 for even n, n for odd n); the
// bound itself is proved for small leagues by the search below.
TEST(MinimumBreaks, CountsWholePassesOnly) {
  const std::array<int, 4> cases[] = {
      // teams, rounds a pass, weeks, fewest
      {2, 1, 9, 0},     {4, 3, 2, 0},      {4, 3, 3, 2},        {4, 3, 7, 6},    {12, 11, 10, 0},
      {12, 11, 11, 10}, {12, 11, 23, 30},  {12, 11, 33, 50},    {11, 11, 21, 0}, {11, 11, 22, 11},
      {11, 11, 34, 22}, {97, 97, 194, 97}, {100, 99, 200, 294}, {8, 0, 14, 0},   {8, -7, 14, 0},
      {8, 7, -14, 0},   {-8, 7, 14, 0},    {0, 1, 5, 0},        {1, 1, 5, 0}};
  for (const auto& [n, rounds, weeks, fewest] : cases)
    EXPECT_EQ(minimum_breaks(n, rounds, weeks), fewest) << n << " teams, " << rounds << " rounds, " << weeks;
  for (int n = 1; n <= 12; ++n) {  // the default season is two whole passes
    const int rounds = n % 2 == 0 ? n - 1 : n;
    EXPECT_EQ(minimum_breaks(n, rounds, schedule::default_season_weeks(n)),
              minimum_breaks(n, rounds, 2 * rounds));
  }
}

// The bound is the least over every mirrored season of n <= 5 teams: every
// single round-robin with its rounds in every order, every home/away choice,
// up to 3 passes.
TEST(MinimumBreaks, IsTheLeastOverEveryScheduleOfSmallLeagues) {
  for (int n = 2; n <= 5; ++n) {
    const int slots = n + n % 2, rounds = slots - 1;  // slot n of an odd league is the bye
    // Pairs of two real teams first: pair k of those is bit k of `sides` below.
    std::vector<std::pair<int, int>> pairs;
    for (int b = 1; b < slots; ++b)
      for (int a = 0; a < b; ++a) pairs.emplace_back(a, b);
    // Each pair gets a round in which neither of its slots plays another pair.
    std::vector<std::vector<int>> schedules;  // the round of each pair
    std::vector<int> round(pairs.size());
    std::vector<unsigned> busy(at(slots));  // the rounds each slot plays in, as bits
    const auto assign = [&](const auto& self, std::size_t k) -> void {
      if (k == pairs.size()) return schedules.push_back(round);
      const auto [a, b] = pairs[k];
      for (int r = 0; r < rounds; ++r) {
        const unsigned bit = 1u << r;
        if (((busy[at(a)] | busy[at(b)]) & bit) != 0) continue;
        busy[at(a)] ^= bit, busy[at(b)] ^= bit, round[k] = r;
        self(self, k + 1);
        busy[at(a)] ^= bit, busy[at(b)] ^= bit;
      }
    };
    assign(assign, 0);
    // K2 and K4 split into rounds one way, K6 six ways; then every order of the rounds.
    EXPECT_EQ(schedules.size(), n == 2 ? 1u : n <= 4 ? 6u : 720u) << n;
    const int n_pair = n * (n - 1) / 2;
    std::array<int, 4> least = {0, 1 << 30, 1 << 30, 1 << 30};
    for (const std::vector<int>& schedule : schedules) {
      std::vector<int> week_order(at(n_pair));  // the real pairs, round by round
      std::iota(week_order.begin(), week_order.end(), 0);
      std::stable_sort(week_order.begin(), week_order.end(),
                       [&](int x, int y) { return schedule[at(x)] < schedule[at(y)]; });
      for (unsigned sides = 0; sides < (1u << n_pair); ++sides) {
        std::vector<int> last(at(n));  // each team's last side: +1 home, -1 away
        int breaks = 0;
        for (int pass = 1; pass <= 3; ++pass) {
          for (const int k : week_order) {
            // Bit k: whether the lower team of pair k hosts in the odd passes.
            const int side = (((sides >> k) & 1u) != 0) == (pass % 2 == 1) ? 1 : -1;
            const auto [a, b] = pairs[at(k)];
            breaks += (last[at(a)] == side) + (last[at(b)] == -side);
            last[at(a)] = side;
            last[at(b)] = -side;
          }
          least[at(pass)] = std::min(least[at(pass)], breaks);
        }
      }
    }
    for (int pass = 1; pass <= 3; ++pass)
      EXPECT_EQ(minimum_breaks(n, rounds, pass * rounds), least[at(pass)]) << n << " teams, " << pass;
  }
}

// ---- Text and JSON ----

// Names holding everything JSON escapes and controls a terminal would obey
// (team 1), characters of 3 and 4 bytes, a byte that is not UTF-8 and a NUL
// (team 2), and a sequence cut short (bar 1, with no tables). No two numbers
// of a line that could be swapped are equal in both teams.
Season hostile_season() {
  Season s =
      two_teams("HAHH-HA", "A \"q\" \\ /\t\n\r\b\f\x01\x1F\x7F", "\xE4\xB8\xAD \xF0\x9F\x8E\xB1 \xE9 Nul\0"s);
  s.bars = {{"Caf\xC3\xA9 \xE4\xB8", 0}, {"Crown", 3}};
  s.teams[1].bar = 2;
  return s;
}

// The JSON shows a name as the text report does: one scrub for both.
TEST(AsJson, ExactTextOfHostileNames) {
  std::string eight_replacements;
  for (int k = 0; k < 8; ++k) eight_replacements += "\xEF\xBF\xBD";
  EXPECT_EQ(
      as_json(assess(hostile_season())),
      "{\n  \"teams\": [\n    {\n      \"number\": 1,\n"
      "      \"name\": \"A \\\"q\\\" \\\\ /" +
          eight_replacements +
          "\",\n      \"home\": 4,\n"
          "      \"away\": 2,\n      \"byes\": 1,\n      \"breaks\": 2,\n      \"longest_home_run\": 3,\n"
          "      \"longest_away_run\": 1\n    },\n    {\n      \"number\": 2,\n"
          "      \"name\": \"\xE4\xB8\xAD \xF0\x9F\x8E\xB1 \xEF\xBF\xBD Nul\xEF\xBF\xBD\",\n"
          "      \"home\": 2,\n      \"away\": 4,\n      \"byes\": 0,\n      \"breaks\": 2,\n"
          "      \"longest_home_run\": 1,\n      \"longest_away_run\": 3\n    }\n  ],\n  \"bars\": [\n"
          "    {\n      \"number\": 1,\n      \"name\": \"Caf\xC3\xA9 \xEF\xBF\xBD\xEF\xBF\xBD\",\n"
          "      \"tables\": 0,\n      \"most_in_a_week\": 1,\n      \"weeks_over_tables\": 4\n    },\n"
          "    {\n      \"number\": 2,\n      \"name\": \"Crown\",\n      \"tables\": 3,\n"
          "      \"most_in_a_week\": 1,\n      \"weeks_over_tables\": 0\n    }\n  ],\n"
          "  \"total_breaks\": 4,\n  \"minimum_breaks\": 0\n}\n");
  // DEL and a C1 control (CSI, which a terminal obeys) in both forms.
  const Fairness csi = assess(two_teams("HAHH-HA",
                                        "\x7F\xC2\x9B"
                                        "2J",
                                        "B"));
  EXPECT_NE(as_json(csi).find("\"\xEF\xBF\xBD\xEF\xBF\xBD"
                              "2J\""),
            std::string::npos);
  EXPECT_NE(as_text(csi).find("  \xEF\xBF\xBD\xEF\xBF\xBD"
                              "2J  "),
            std::string::npos);
  EXPECT_EQ(as_json(Fairness{}),
            "{\n  \"teams\": [],\n  \"bars\": [],\n  \"total_breaks\": 0,\n  \"minimum_breaks\": 0\n}\n");
}

// Names are padded by their characters; a control character or a byte that
// is not UTF-8 shows as U+FFFD, so no name can move the columns or send the
// terminal an escape sequence.
TEST(AsText, TablesAlignByCharactersAndEndWithTheBound) {
  std::string eight;
  for (int k = 0; k < 8; ++k) eight += "\xEF\xBF\xBD";
  EXPECT_EQ(
      as_text(assess(hostile_season())),
      "No.  Team               Home  Away  Byes  Breaks  Longest home run  Longest away run\n"
      "  1  A \"q\" \\ /" +
          eight +
          "     4     2     1       2                 3                 1\n"
          "  2  \xE4\xB8\xAD \xF0\x9F\x8E\xB1 \xEF\xBF\xBD Nul\xEF\xBF\xBD            2     4     0       2"
          "                 1                 3\n\n"
          "No.  Bar      Tables  Most in a week  Weeks over tables\n"
          "  1  Caf\xC3\xA9 \xEF\xBF\xBD\xEF\xBF\xBD       0               1                  4\n"
          "  2  Crown         3               1                  0\n\n"
          "Breaks: 4 (fewest possible: 0)\n");
}

}  // namespace
}  // namespace quintora::report
