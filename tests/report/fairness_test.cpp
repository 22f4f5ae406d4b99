// The fairness report: counts on seasons whose answers are known by hand, the
// fewest-breaks bound against every schedule of small leagues (Fairest meeting
// it is counted on the schedule file, in the schedule tests), and the exact
// text and JSON of hostile names.

#include "report/fairness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "schedule/league_builder.h"

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
    season::Week week{static_cast<int>(s.weeks.size()) + 1, {}, {}, {}};
    if (side == '-') week.not_playing = {1};
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

TEST(Assess, BreaksAndRunsSkipTheWeeksATeamDoesNotPlay) {
  // team 1's pattern, home, away, byes, breaks, longest home run, longest away run
  const std::tuple<const char*, int, int, int, int, int, int> cases[] = {
      {"", 0, 0, 0, 0, 0, 0},        {"HAHA", 2, 2, 0, 0, 1, 1},
      {"HH", 2, 0, 0, 1, 2, 0},      {"H-H", 2, 0, 1, 1, 2, 0},  // the bye between does not end the run
      {"-H", 1, 0, 1, 0, 1, 0},      {"AA-A-AH", 1, 4, 2, 3, 1, 4},
      {"H..H", 2, 0, 0, 1, 2, 0},  // idle weeks without a bye are skipped as well
      {"HHAAAHH", 4, 3, 0, 4, 2, 3}, {"AHHHAHHA", 5, 3, 0, 3, 3, 1},
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

TEST(Assess, NumbersOutsideTheLeagueArePassedOver) {
  Season s;
  s.bars = {{"Crown", 1}};
  s.teams = {{"A", 1}, {"B", 7}, {"C", 1}};  // bar 7 does not exist
  s.rounds_per_pass = 3;
  s.weeks = {{1, {}, {{0, 1}, {1, 4}, {-5, 2}, {2, 2}, {2, 3}}, {9}}, {2, {}, {{1, 3}}, {-1}}};
  const Fairness f = assess(s);
  ASSERT_EQ(f.teams.size(), 3u);
  EXPECT_EQ(std::tuple(f.teams[0].home, f.teams[0].away, f.teams[0].byes), std::tuple(1, 0, 0));
  EXPECT_EQ(std::tuple(f.teams[1].home, f.teams[1].away), std::tuple(1, 0));
  EXPECT_EQ(std::tuple(f.teams[2].home, f.teams[2].away, f.teams[2].breaks), std::tuple(0, 2, 1));
  EXPECT_EQ(f.bars[0].most_in_a_week, 1);  // only team 1's match is at a bar that exists
  EXPECT_EQ(assess(Season{}).total_breaks, 0);
}

// ---- The fewest breaks ----

// Whole passes; a cut pass, where every team of an odd league breaks where it
// begins but the one whose bye is its first round when that is all it plays,
// and an even league's circle schedule has two breaks in every second round
// from round 3 on (the fewest for one or two rounds or all but the last, and
// up to six teams: the search below); then passes that are not those of the
// team count, and out of range (no weeks, one team) at its edges.
TEST(FewestBreaks, WholeAndCutPasses) {
  const std::tuple<int, int, int, int, bool> cases[] = {
      // teams, rounds a pass, weeks, fewest, proven exact
      {12, 11, 11, 10, true}, {12, 11, 33, 50, true}, {11, 11, 22, 11, true},     {100, 99, 198, 294, true},
      {11, 11, 12, 10, true}, {11, 11, 13, 11, true}, {11, 11, 10, 0, true},      {8, 7, 9, 12, true},
      {8, 7, 13, 16, true},   {12, 11, 10, 8, true},  {8, 7, 10, 12, false},      {8, 7, 5, 2, false},
      {8, 6, 14, 0, false},   {8, 7, 0, 0, true},     {100, 99, 150, 198, false}, {1, 1, 5, 0, true}};
  for (const auto& [n, rounds, weeks, fewest, exact] : cases) {
    const FewestBreaks f = fewest_breaks(n, rounds, weeks);
    EXPECT_EQ(std::tuple(f.breaks, f.exact), std::tuple(fewest, exact))
        << n << " teams, " << weeks << " weeks";
  }
}

// The least breaks of every season of n <= 6 teams of up to 3 passes, at
// every length: every single round-robin with its rounds in every order (a
// round-robin is the round of each pair) and every choice of hosts, the
// second pass with every side exchanged. The first round pairs 1-2, 3-4 and
// 5-6 (in an odd league the last slot is the bye): numbering the teams
// otherwise changes no count. The first pair's host stays, since exchanging
// every side keeps every break.
std::vector<int> least_breaks_by_search(int n) {
  const int slots = n + n % 2, rounds = slots - 1, weeks = 3 * rounds;
  std::vector<std::pair<int, int>> pairs;
  for (int b = 1; b < slots; ++b)
    for (int a = 0; a < b; ++a) pairs.emplace_back(a, b);
  std::vector<int> least(at(weeks + 1), 1 << 30), total(at(weeks + 1));
  std::vector<int> round(pairs.size());
  std::vector<int> side(at(slots * rounds));  // [team * rounds + round]: 1 hosts, -1 visits, 0 the bye
  std::vector<unsigned> busy(at(slots));      // the rounds each slot plays in, as bits
  const auto search = [&] {
    std::fill(side.begin(), side.end(), 0);
    for (unsigned hosts = 0; hosts < 1u << (pairs.size() - 1); ++hosts) {
      for (std::size_t k = 0; k < pairs.size(); ++k) {
        const auto [a, b] = pairs[k];
        const int a_side = k > 0 && ((hosts >> (k - 1)) & 1u) != 0 ? 1 : -1;
        if (b == n) continue;  // the bye
        side[at(a * rounds + round[k])] = a_side;
        side[at(b * rounds + round[k])] = -a_side;
      }
      std::fill(total.begin(), total.end(), 0);
      for (int t = 0; t < n; ++t)
        for (int w = 0, last = 0, count = 0; w < weeks; ++w) {
          const int now = side[at(t * rounds + w % rounds)] * (w / rounds % 2 == 0 ? 1 : -1);
          if (now != 0) {
            count += last == now ? 1 : 0;
            last = now;
          }
          total[at(w + 1)] += count;
        }
      for (int w = 0; w <= weeks; ++w) least[at(w)] = std::min(least[at(w)], total[at(w)]);
    }
  };
  const auto assign = [&](const auto& self, std::size_t k) -> void {
    if (k == pairs.size()) return search();
    const auto [a, b] = pairs[k];
    const bool first_round = a % 2 == 0 && b == a + 1;
    for (int r = 0; r < rounds; ++r) {
      const unsigned bit = 1u << r;
      if (((busy[at(a)] | busy[at(b)]) & bit) != 0 || (r == 0) != first_round) continue;
      busy[at(a)] ^= bit, busy[at(b)] ^= bit, round[k] = r;
      self(self, k + 1);
      busy[at(a)] ^= bit, busy[at(b)] ^= bit;
    }
  };
  assign(assign, 0);
  return least;
}

TEST(FewestBreaks, IsTheLeastOverEverySeasonOfSmallLeagues) {
  for (int n = 2; n <= 6; ++n) {
    const int rounds = n + n % 2 - 1;
    const std::vector<int> least = least_breaks_by_search(n);
    for (int weeks = 1; weeks <= 3 * rounds; ++weeks) {
      const FewestBreaks f = fewest_breaks(n, rounds, weeks);
      EXPECT_EQ(std::tuple(f.breaks, f.exact), std::tuple(least[at(weeks)], true))
          << n << " teams, " << weeks;
    }
  }
}

// ---- Text and JSON ----

// Fairest's seasons of 8 teams cut short and whole: the report's last
// line, and the JSON's end, which says whether the fewest is proven only for a
// season cut short.
TEST(AsText, FewestInWordsWhereOnlyABoundIsProven) {
  const std::tuple<int, int, const char*, const char*> cases[] = {
      {8, 9, "12 (fewest possible: 12)", "12,\n  \"minimum_breaks_exact\": true"},
      {8, 10, "14 (fewest possible: at least 12)", "12,\n  \"minimum_breaks_exact\": false"},
      {8, 14, "18 (fewest possible: 18)", "18"}};
  for (const auto& [n, weeks, text, json] : cases) {
    const league::League league = test::make_league(std::vector<std::pair<int, int>>(at(n), {1, 1}));
    const Fairness f = assess(test::fairest_season(league, weeks));
    EXPECT_TRUE(as_text(f).ends_with("\nBreaks: "s + text + "\n")) << as_text(f);
    EXPECT_TRUE(as_json(f).ends_with("\"minimum_breaks\": "s + json + "\n}\n")) << as_json(f);
  }
}

// Names holding everything JSON escapes and controls a terminal would obey,
// DEL and a C1 control (CSI) among them (team 1), characters of 3 and 4
// bytes, a byte that is not UTF-8 and a NUL (team 2), and a sequence cut
// short (bar 1, with no tables). No two numbers of a line that could be
// swapped are equal in both teams.
Season hostile_season() {
  Season s = two_teams("HAHH-HA",
                       "A \"q\" \\ /\t\n\r\b\f\x01\x1F\x7F\xC2\x9B"
                       "2J",
                       "\xE4\xB8\xAD \xF0\x9F\x8E\xB1 \xE9 Nul\0"s);
  s.bars = {{"Caf\xC3\xA9 \xE4\xB8", 0}, {"Crown", 3}};
  s.teams[1].bar = 2;
  return s;
}

// The JSON shows a name as the text report does: one scrub for both. Names
// are padded by their characters; a control character or a byte that is not
// UTF-8 shows as U+FFFD, so no name can move the columns or send the
// terminal an escape sequence.
TEST(AsJsonAndText, ExactTextOfHostileNames) {
  std::string nine_replacements;
  for (int k = 0; k < 9; ++k) nine_replacements += "\xEF\xBF\xBD";
  EXPECT_EQ(
      as_json(assess(hostile_season())),
      "{\n  \"teams\": [\n    {\n      \"number\": 1,\n"
      "      \"name\": \"A \\\"q\\\" \\\\ /" +
          nine_replacements +
          "2J\",\n      \"home\": 4,\n"
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
  EXPECT_EQ(as_json(Fairness{}),
            "{\n  \"teams\": [],\n  \"bars\": [],\n  \"total_breaks\": 0,\n  \"minimum_breaks\": 0\n}\n");
  EXPECT_EQ(as_text(assess(hostile_season())),
            "No.  Team                  Home  Away  Byes  Breaks  Longest home run  Longest away run\n"
            "  1  A \"q\" \\ /" +
                nine_replacements +
                "2J     4     2     1       2                 3                 1\n"
                "  2  \xE4\xB8\xAD \xF0\x9F\x8E\xB1 \xEF\xBF\xBD Nul\xEF\xBF\xBD               2     4     0 "
                "      2"
                "                 1                 3\n\n"
                "No.  Bar      Tables  Most in a week  Weeks over tables\n"
                "  1  Caf\xC3\xA9 \xEF\xBF\xBD\xEF\xBF\xBD       0               1                  4\n"
                "  2  Crown         3               1                  0\n\n"
                "Breaks: 4 (fewest possible: 0)\n");
}

// Two divisions sharing bar 1: teams 1 and 2 in "Premier", 3 and 4 in "First";
// team 3's dates are kept (it is away, or no match is played), bar 1's and
// team 1's are not.
Season two_divisions() {
  Season s;
  s.bars = {{"Crown", 1}, {"Anchor", 1}};
  s.teams = {{"One", 1, 1}, {"Two", 2, 1}, {"Three", 1, 2}, {"Four", 2, 2}};
  s.divisions = {"Premier", "First"};
  s.rounds_per_pass = 1;
  s.weeks = {{1, base::Date{2027, 1, 1}, {{1, 2}, {3, 4}}, {}},
             {2, base::Date{2027, 1, 2}, {{2, 1}, {4, 3}}, {}},
             {3, base::Date{2027, 1, 3}, {{1, 2}, {3, 4}}, {}}};
  s.unavailable = {
      {true, 1, {2027, 1, 3}}, {false, 3, {2027, 1, 2}}, {false, 3, {2027, 1, 9}}, {false, 1, {2027, 1, 1}}};
  return s;
}

TEST(Divisions, BreaksPerDivisionBarsAcrossThemAndTheMissedDates) {
  const Fairness f = assess(two_divisions());
  EXPECT_EQ(f.bars[0].most_in_a_week, 2);
  EXPECT_EQ(f.bars[0].weeks_over_tables, 2);

  const std::string json = as_json(f);
  EXPECT_NE(json.find("      \"division\": 2,\n"), std::string::npos);
  EXPECT_NE(json.find("  \"divisions\": [\n    {\n      \"number\": 1,\n      \"name\": \"Premier\",\n"
                      "      \"teams\": 2,\n      \"total_breaks\": 0,\n      \"minimum_breaks\": 0\n    },"),
            std::string::npos);
  EXPECT_NE(json.find("  \"unavailable_missed\": [\n    {\n      \"kind\": \"bar\",\n      \"number\": 1,\n"
                      "      \"name\": \"Crown\",\n      \"date\": \"2027-01-03\"\n    },\n"),
            std::string::npos);
  // The names left-aligned, with no blanks at the end of a line.
  EXPECT_TRUE(
      as_text(f).ends_with("No.  Division  Teams  Breaks  Fewest mirrored\n"
                           "  1  Premier       2       0                0\n"
                           "  2  First         2       0                0\n\n"
                           "Unavailable dates not honoured:\nDate        Of    No.  Name\n"
                           "2027-01-03  Bar     1  Crown\n2027-01-01  Team    1  One\n\n"
                           "Breaks: 0 (fewest possible with mirrored round-robins: 0)\n"))
      << as_text(f);

  const Fairness first = only_division(f, 2);
  ASSERT_EQ(first.teams.size(), 2u);
  EXPECT_EQ(first.teams[0].name, "Three");
  EXPECT_EQ(first.bars.size(), 2u) << "bars keep every division's matches";
  EXPECT_EQ(first.unavailable_missed.size(), 1u) << "a bar's miss concerns every division, a team's its own";
}

}  // namespace
}  // namespace quintora::report
