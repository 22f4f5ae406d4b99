// The fairness report: counts on seasons whose answers are known by hand, the
// fewest-breaks bound against every schedule of small leagues, Fairest
// seasons meeting it, and the text and JSON read back.

#include "report/fairness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "schedule/fairest.h"
#include "schedule/league_builder.h"
#include "schedule/schedule_options.h"
#include "support/json_reader.h"

namespace quintora::report {
namespace {

using season::Match;
using season::Season;
using test::at;

// Teams 1 and 2, both of bar 1, over one week per letter of team 1's
// pattern: H it hosts team 2, A it visits, '-' it has the bye ("Not
// Playing"), '.' neither plays and no team has the bye.
Season two_teams(std::string_view pattern) {
  Season s;
  s.bars = {{"Crown", 1}};
  s.teams = {{"One", 1}, {"Two", 1}};
  s.rounds_per_pass = 1;
  for (const char side : pattern) {
    season::Week week;
    week.number = static_cast<int>(s.weeks.size()) + 1;
    if (side == 'H') week.matches.push_back({1, 2});
    if (side == 'A') week.matches.push_back({2, 1});
    if (side == '-') week.not_playing = 1;
    s.weeks.push_back(week);
  }
  return s;
}

TEST(Assess, BreaksAndRunsSkipTheWeeksATeamDoesNotPlay) {
  struct Case {
    const char* pattern;
    int home, away, byes, breaks, longest_home, longest_away;
  };
  const Case cases[] = {
      {"", 0, 0, 0, 0, 0, 0},         {"HAHA", 2, 2, 0, 0, 1, 1},
      {"HH", 2, 0, 0, 1, 2, 0},       {"H-H", 2, 0, 1, 1, 2, 0},  // the bye between does not end the run
      {"H-A", 1, 1, 1, 0, 1, 1},      {"-H", 1, 0, 1, 0, 1, 0},
      {"H..H", 2, 0, 0, 1, 2, 0},  // idle weeks without a bye are skipped as well
      {"AA-A-AH", 1, 4, 2, 3, 1, 4},  {"HHAAAHH", 4, 3, 0, 4, 2, 3},
      {"AHHHAHHA", 5, 3, 0, 3, 3, 1},
  };
  for (const Case& c : cases) {
    const Fairness f = assess(two_teams(c.pattern));
    ASSERT_EQ(f.teams.size(), 2u);
    const TeamLine& one = f.teams[0];
    EXPECT_EQ(std::tuple(one.number, one.name, one.home, one.away, one.byes, one.breaks, one.longest_home_run,
                         one.longest_away_run),
              std::tuple(1, "One", c.home, c.away, c.byes, c.breaks, c.longest_home, c.longest_away))
        << c.pattern;
    // Team 2 plays the mirror of team 1's weeks and never has the bye.
    const TeamLine& two = f.teams[1];
    EXPECT_EQ(
        std::tuple(two.home, two.away, two.byes, two.breaks, two.longest_home_run, two.longest_away_run),
        std::tuple(c.away, c.home, 0, c.breaks, c.longest_away, c.longest_home))
        << c.pattern;
    EXPECT_EQ(f.total_breaks, 2 * c.breaks) << c.pattern;
  }
}

TEST(Assess, BarsCountTheMatchesTheirTeamsHost) {
  // Bar 1 (one table) holds teams 1, 2 and 5; bar 2 (two tables) teams 3, 4 and 6.
  Season s;
  s.bars = {{"Crown", 1}, {"Lion", 2}};
  s.teams = {{"A", 1}, {"B", 1}, {"C", 2}, {"D", 2}, {"E", 1}, {"F", 2}};
  s.rounds_per_pass = 5;
  const std::vector<std::vector<Match>> weeks = {
      {{1, 3}, {2, 4}, {5, 6}},  // bar 1 hosts three: over
      {{3, 1}, {4, 2}, {6, 5}},  // bar 2 hosts three: over
      {{1, 2}, {3, 4}, {6, 5}},  // one and two: within
      {{1, 3}, {5, 4}, {2, 6}},  // bar 1 three again
      {{1, 5}, {3, 2}, {4, 6}},  // one and two
  };
  for (const auto& matches : weeks) s.weeks.push_back({static_cast<int>(s.weeks.size()) + 1, {}, matches, 0});
  const Fairness f = assess(s);
  ASSERT_EQ(f.bars.size(), 2u);
  EXPECT_EQ(std::tuple(f.bars[0].number, f.bars[0].name, f.bars[0].tables, f.bars[0].most_in_a_week,
                       f.bars[0].weeks_over_tables),
            std::tuple(1, "Crown", 1, 3, 2));
  EXPECT_EQ(std::tuple(f.bars[1].number, f.bars[1].name, f.bars[1].tables, f.bars[1].most_in_a_week,
                       f.bars[1].weeks_over_tables),
            std::tuple(2, "Lion", 2, 3, 1));
  int home = 0;
  int away = 0;
  int breaks = 0;
  for (const TeamLine& t : f.teams) home += t.home, away += t.away, breaks += t.breaks;
  EXPECT_EQ(std::tuple(home, away, f.total_breaks), std::tuple(15, 15, breaks));
  // Team 1: H A H H H, one run of three at home.
  EXPECT_EQ(std::tuple(f.teams[0].breaks, f.teams[0].longest_home_run), std::tuple(2, 3));
}

TEST(Assess, NumbersOutsideTheLeagueArePassedOver) {
  Season s;
  s.bars = {{"Crown", 1}};
  s.teams = {{"A", 1}, {"B", 7}, {"C", 1}};  // bar 7 does not exist
  s.rounds_per_pass = 3;
  s.weeks.push_back({1, {}, {{0, 1}, {1, 4}, {-5, 2}, {2, 2}, {2, 3}}, 9});
  s.weeks.push_back({2, {}, {{1, 3}}, -1});
  const Fairness f = assess(s);
  ASSERT_EQ(f.teams.size(), 3u);
  EXPECT_EQ(std::tuple(f.teams[0].home, f.teams[0].away, f.teams[0].byes), std::tuple(1, 0, 0));
  EXPECT_EQ(std::tuple(f.teams[1].home, f.teams[1].away), std::tuple(1, 0));
  EXPECT_EQ(std::tuple(f.teams[2].home, f.teams[2].away, f.teams[2].breaks), std::tuple(0, 2, 1));
  // Only team 1's match is at a bar that exists.
  EXPECT_EQ(f.bars[0].most_in_a_week, 1);
  EXPECT_EQ(assess(Season{}).total_breaks, 0);
}

// ---- The fewest breaks ----

TEST(MinimumBreaks, WholePassesOnlyAndBothParities) {
  // Columns: 0 weeks, one week short of a pass, 1, 2 and 3 whole passes, and
  // 2 passes and one week; rounds a pass: n - 1 for even n, n for odd n.
  const std::array<std::array<int, 6>, 13> expected = {{
      {0, 0, 0, 0, 0, 0},      // unused
      {0, 0, 0, 0, 0, 0},      // 1
      {0, 0, 0, 0, 0, 0},      // 2: home and away alternate for ever
      {0, 0, 0, 3, 6, 3},      // 3
      {0, 0, 2, 6, 10, 6},     // 4
      {0, 0, 0, 5, 10, 5},     // 5
      {0, 0, 4, 12, 20, 12},   // 6
      {0, 0, 0, 7, 14, 7},     // 7
      {0, 0, 6, 18, 30, 18},   // 8
      {0, 0, 0, 9, 18, 9},     // 9
      {0, 0, 8, 24, 40, 24},   // 10
      {0, 0, 0, 11, 22, 11},   // 11
      {0, 0, 10, 30, 50, 30},  // 12
  }};
  for (int n = 1; n <= 12; ++n) {
    const int rounds = n % 2 == 0 ? n - 1 : n;
    const int weeks[] = {0, rounds - 1, rounds, 2 * rounds, 3 * rounds, 2 * rounds + 1};
    for (std::size_t c = 0; c < 6; ++c) {
      EXPECT_EQ(minimum_breaks(n, rounds, weeks[c]), expected[at(n)][c]) << n << " teams, " << weeks[c];
    }
    EXPECT_EQ(minimum_breaks(n, rounds, schedule::default_season_weeks(n)), expected[at(n)][3]) << n;
  }
  EXPECT_EQ(minimum_breaks(97, 97, 194), 97);
  EXPECT_EQ(minimum_breaks(100, 99, 200), 3 * 98);
  for (const auto& [n, rounds, weeks] : {std::tuple(8, 0, 14), std::tuple(8, -7, 14), std::tuple(8, 7, -14),
                                         std::tuple(-8, 7, 14), std::tuple(0, 1, 5)}) {
    EXPECT_EQ(minimum_breaks(n, rounds, weeks), 0) << n << " " << rounds << " " << weeks;
  }
}

// Every ordered way to split the pairs of `slots` teams into slots - 1 rounds
// of disjoint pairs (each a list of slots / 2 pairs).
void all_round_orders(int slots, std::vector<std::vector<std::pair<int, int>>>& rounds,
                      std::vector<std::vector<bool>>& used,
                      std::vector<std::vector<std::vector<std::pair<int, int>>>>& out) {
  if (static_cast<int>(rounds.size()) == slots - 1) {
    out.push_back(rounds);
    return;
  }
  // Fill one round: always pair the lowest free team first.
  std::vector<std::pair<int, int>> round;
  std::vector<bool> busy(at(slots));
  const auto fill = [&](const auto& self) -> void {
    int a = 0;
    while (a < slots && busy[at(a)]) ++a;
    if (a == slots) {
      rounds.push_back(round);
      all_round_orders(slots, rounds, used, out);
      rounds.pop_back();
      return;
    }
    busy[at(a)] = true;
    for (int b = a + 1; b < slots; ++b) {
      if (busy[at(b)] || used[at(a)][at(b)]) continue;
      busy[at(b)] = used[at(a)][at(b)] = true;
      round.emplace_back(a, b);
      self(self);
      round.pop_back();
      busy[at(b)] = used[at(a)][at(b)] = false;
    }
    busy[at(a)] = false;
  };
  fill(fill);
}

// The bound is the least over every mirrored season of n <= 5 teams: every
// order of every single round-robin, every home/away choice, up to 3 passes.
TEST(MinimumBreaks, IsTheLeastOverEveryScheduleOfSmallLeagues) {
  for (int n = 2; n <= 5; ++n) {
    const int slots = n + n % 2;  // slot n + 1 is the dummy: its partner has the bye
    std::vector<std::vector<std::pair<int, int>>> rounds;
    std::vector<std::vector<bool>> used(at(slots), std::vector<bool>(at(slots)));
    std::vector<std::vector<std::vector<std::pair<int, int>>>> orders;
    all_round_orders(slots, rounds, used, orders);
    // K2 and K4 split into rounds one way, K6 six ways; then every order of the rounds.
    EXPECT_EQ(orders.size(), n == 2 ? 1u : n <= 4 ? 6u : 720u) << n;
    const int n_pair = n * (n - 1) / 2;
    std::array<int, 4> least = {0, 1 << 30, 1 << 30, 1 << 30};
    for (const auto& order : orders) {
      for (unsigned sides = 0; sides < (1u << n_pair); ++sides) {
        // Week by week, each team's side: +1 home, -1 away, 0 no match.
        std::vector<std::vector<int>> side(order.size(), std::vector<int>(at(n)));
        int pair = 0;
        for (std::size_t r = 0; r < order.size(); ++r) {
          for (const auto& [a, b] : order[r]) {
            if (b >= n) continue;
            const int s = (sides >> pair++) & 1u ? 1 : -1;
            side[r][at(a)] = s;
            side[r][at(b)] = -s;
          }
        }
        std::vector<int> last(at(n));
        int breaks = 0;
        for (int pass = 1; pass <= 3; ++pass) {
          for (const auto& week : side) {
            for (int t = 0; t < n; ++t) {
              const int s = pass % 2 == 1 ? week[at(t)] : -week[at(t)];
              if (s == 0) continue;
              breaks += s == last[at(t)];
              last[at(t)] = s;
            }
          }
          least[at(pass)] = std::min(least[at(pass)], breaks);
        }
      }
    }
    const int per_pass = slots - 1;
    for (int pass = 1; pass <= 3; ++pass) {
      EXPECT_EQ(minimum_breaks(n, per_pass, pass * per_pass), least[at(pass)]) << n << " teams, " << pass;
    }
  }
}

// ---- Fairest seasons meet the bound ----

int pick(std::mt19937& rng, int bound) { return static_cast<int>(rng() % static_cast<unsigned>(bound)); }

// Bars of random sizes (a few big, some empty), each with at least the
// tables the check asks for: half its teams, rounded up.
League random_league(int n_team, std::mt19937& rng) {
  const int n_bar = 1 + pick(rng, std::min(max_bars, n_team + 1));
  std::vector<std::pair<int, int>> bars(at(n_bar));
  for (int t = 0; t < n_team; ++t) ++bars[at(pick(rng, 1 + pick(rng, n_bar)))].first;
  for (auto& [teams, tables] : bars) tables = std::max(1, (teams + 1) / 2 + pick(rng, 2));
  return test::make_league(bars);
}

// Three passes of more than 67 teams do not fit in the longest season (200
// weeks): there the season ends inside its third pass, whose breaks the bound
// leaves out, so the count lies between the bounds of two and three passes.
TEST(Fairest, MeetsTheFewestBreaksAndKeepsEveryBarWithinItsTables) {
  std::mt19937 rng(20260413);
  for (int n = 1; n <= 100; ++n) {
    const League league = random_league(n, rng);
    schedule::RoundTable table;
    schedule::build_fairest_table(table, league, 1 + pick(rng, 5));
    const int per_pass = n % 2 == 0 ? n - 1 : n;
    ASSERT_EQ(table.nweek, per_pass);
    for (const int passes : {2, 3}) {
      const int weeks = passes * per_pass;
      const bool whole = weeks <= schedule::max_season_weeks;
      const Season season =
          schedule::build_season(league, table, schedule::table_order(table.nweek), weeks, {});
      const Fairness f = assess(season);
      ASSERT_EQ(f.teams.size(), at(n));
      const std::string where = std::to_string(n) + " teams, " + std::to_string(passes) + " passes";
      if (whole) {
        EXPECT_EQ(f.total_breaks, f.minimum_breaks) << where;
        EXPECT_EQ(f.minimum_breaks, minimum_breaks(n, per_pass, weeks)) << where;
      } else {
        EXPECT_EQ(f.minimum_breaks, minimum_breaks(n, per_pass, 2 * per_pass)) << where;
        EXPECT_GE(f.total_breaks, f.minimum_breaks) << where;
        EXPECT_LE(f.total_breaks, minimum_breaks(n, per_pass, weeks)) << where;
      }
      for (const BarLine& b : f.bars) {
        EXPECT_LE(b.most_in_a_week, b.tables) << where << ", bar " << b.number;
        EXPECT_EQ(b.weeks_over_tables, 0) << where << ", bar " << b.number;
      }
      int byes = 0;
      for (const TeamLine& t : f.teams) {
        byes += t.byes;
        // Mirrored passes even out; at most one break a pass keeps a pass within one.
        if (whole) {
          EXPECT_LE(std::abs(t.home - t.away), passes == 2 ? 0 : 1) << where << ", team " << t.number;
          EXPECT_EQ(t.byes, n % 2 * passes) << where << ", team " << t.number;
        }
      }
      EXPECT_EQ(byes, n % 2 * static_cast<int>(season.weeks.size())) << where;
    }
  }
}

// ---- Text and JSON ----

Season hostile_season() {
  Season s;
  s.bars = {{"Bar \"Quoted\" \\ back", 2}, {"Caf\xC3\xA9 \xE4\xB8\xAD", 1}};
  s.teams = {{"Tab\there", 1},
             {"New\nline\r", 2},
             {"\xC3\xA9t\xC3\xA9 \xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x8E\xB1", 1},
             {std::string("Nul\0\x1F\x7F", 6), 2}};
  s.rounds_per_pass = 3;
  s.weeks.push_back({1, {}, {{1, 2}, {3, 4}}, 0});
  s.weeks.push_back({2, {}, {{4, 1}, {2, 3}}, 0});
  s.weeks.push_back({3, {}, {{1, 3}, {4, 2}}, 0});
  return s;
}

std::vector<std::string> keys_of(const test::Json& object) {
  std::vector<std::string> keys;
  for (const auto& member : object.members) keys.push_back(member.first);
  return keys;
}

// The object's members but the name, as integers (-1 for anything else).
std::vector<long long> numbers_of(const test::Json& object) {
  std::vector<long long> numbers;
  for (const auto& [key, value] : object.members)
    if (key != "name") numbers.push_back(value.integer());
  return numbers;
}

TEST(AsJson, ReadsBackWithEveryNameExactlyAsInTheLeague) {
  const Season season = hostile_season();
  const Fairness f = assess(season);
  const std::optional<test::Json> json = test::parse_json(as_json(f));
  ASSERT_TRUE(json) << as_json(f);
  ASSERT_EQ(json->members.size(), 4u);
  const char* keys[] = {"teams", "bars", "total_breaks", "minimum_breaks"};
  for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(json->members[k].first, keys[k]);
  EXPECT_EQ((*json)["total_breaks"].integer(), f.total_breaks);
  EXPECT_EQ((*json)["minimum_breaks"].integer(), 2);
  const auto& teams = (*json)["teams"].items;
  ASSERT_EQ(teams.size(), 4u);
  for (std::size_t t = 0; t < teams.size(); ++t) {
    const TeamLine& l = f.teams[t];
    EXPECT_EQ(teams[t]["name"].text, season.teams[t].name) << t;
    EXPECT_EQ(keys_of(teams[t]), (std::vector<std::string>{"number", "name", "home", "away", "byes", "breaks",
                                                           "longest_home_run", "longest_away_run"}));
    EXPECT_EQ(numbers_of(teams[t]), (std::vector<long long>{l.number, l.home, l.away, l.byes, l.breaks,
                                                            l.longest_home_run, l.longest_away_run}));
  }
  const auto& bars = (*json)["bars"].items;
  ASSERT_EQ(bars.size(), 2u);
  for (std::size_t b = 0; b < bars.size(); ++b) {
    const BarLine& l = f.bars[b];
    EXPECT_EQ(bars[b]["name"].text, season.bars[b].name);
    EXPECT_EQ(keys_of(bars[b]),
              (std::vector<std::string>{"number", "name", "tables", "most_in_a_week", "weeks_over_tables"}));
    EXPECT_EQ(numbers_of(bars[b]),
              (std::vector<long long>{l.number, l.tables, l.most_in_a_week, l.weeks_over_tables}));
  }
}

TEST(AsJson, ExactLayoutAndEscapes) {
  Fairness f;
  f.teams.push_back({1, "A \"q\" \\ /\t\n\r\b\f\x01\x1F\x7F", 2, 1, 0, 1, 2, 1});
  f.bars.push_back({1, "Caf\xC3\xA9", 1, 1, 0});
  f.total_breaks = 1;
  EXPECT_EQ(as_json(f),
            "{\n"
            "  \"teams\": [\n"
            "    {\n"
            "      \"number\": 1,\n"
            "      \"name\": \"A \\\"q\\\" \\\\ /\\t\\n\\r\\b\\f\\u0001\\u001f\x7F\",\n"
            "      \"home\": 2,\n"
            "      \"away\": 1,\n"
            "      \"byes\": 0,\n"
            "      \"breaks\": 1,\n"
            "      \"longest_home_run\": 2,\n"
            "      \"longest_away_run\": 1\n"
            "    }\n"
            "  ],\n"
            "  \"bars\": [\n"
            "    {\n"
            "      \"number\": 1,\n"
            "      \"name\": \"Caf\xC3\xA9\",\n"
            "      \"tables\": 1,\n"
            "      \"most_in_a_week\": 1,\n"
            "      \"weeks_over_tables\": 0\n"
            "    }\n"
            "  ],\n"
            "  \"total_breaks\": 1,\n"
            "  \"minimum_breaks\": 0\n"
            "}\n");
  EXPECT_EQ(as_json(Fairness{}),
            "{\n  \"teams\": [],\n  \"bars\": [],\n  \"total_breaks\": 0,\n  \"minimum_breaks\": 0\n}\n");
}

TEST(AsJson, BytesThatAreNotUtf8BecomeTheReplacementCharacter) {
  const std::string fffd = "\xEF\xBF\xBD";
  const std::pair<std::string, std::string> cases[] = {
      {"\xE9t\xE9", fffd + "t" + fffd},                 // Latin-1
      {"a\x80z", "a" + fffd + "z"},                     // a stray continuation byte
      {"\xC0\xAF", fffd + fffd},                        // an overlong '/'
      {"\xED\xA0\x80", fffd + fffd + fffd},             // a surrogate
      {"\xF4\x90\x80\x80", fffd + fffd + fffd + fffd},  // beyond U+10FFFF
      {"cut \xE4\xB8", "cut " + fffd + fffd},           // a sequence cut short
      {"\xF0\x9F\x8E\xB1 ok", "\xF0\x9F\x8E\xB1 ok"},   // a valid four-byte one stays
  };
  for (const auto& [name, shown] : cases) {
    Fairness f;
    f.teams.push_back({1, name});
    f.bars.push_back({1, name});
    const std::optional<test::Json> json = test::parse_json(as_json(f));
    ASSERT_TRUE(json) << as_json(f);
    EXPECT_EQ((*json)["teams"].items[0]["name"].text, shown);
    EXPECT_EQ((*json)["bars"].items[0]["name"].text, shown);
  }
}

// Characters (code points) in a line of UTF-8.
std::size_t characters(std::string_view line) {
  return static_cast<std::size_t>(std::count_if(
      line.begin(), line.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

TEST(AsText, TablesAlignByCharactersAndEndWithTheBound) {
  Fairness f;
  f.teams = {{1, "Plain", 7, 7, 0, 3, 2, 2},
             {2, "\xC3\xA9t\xC3\xA9", 7, 7, 0, 12, 10, 2},
             {10, "\xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x8E\xB1", 0, 0, 14, 0, 0, 0}};
  f.bars = {{1, "Caf\xC3\xA9 Bruxelles", 1, 1, 0}, {2, "Crown", 12, 13, 2}};
  f.total_breaks = 15;
  f.minimum_breaks = 6;
  EXPECT_EQ(
      as_text(f),
      "No.  Team   Home  Away  Byes  Breaks  Longest home run  Longest away run\n"
      "  1  Plain     7     7     0       3                 2                 2\n"
      "  2  \xC3\xA9t\xC3\xA9       7     7     0      12                10                 2\n"
      " 10  \xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x8E\xB1      0     0    14       0                 0      "
      "           0\n"
      "\n"
      "No.  Bar             Tables  Most in a week  Weeks over tables\n"
      "  1  Caf\xC3\xA9 Bruxelles       1               1                  0\n"
      "  2  Crown               12              13                  2\n"
      "\n"
      "Breaks: 15 (fewest possible: 6)\n");
}

TEST(AsText, ControlCharactersAndBadBytesCannotMoveTheColumns) {
  const std::string text = as_text(assess(hostile_season()));
  EXPECT_EQ(text.find_first_of(std::string("\t\r\x1B\x7F\0", 5)), std::string::npos);
  // Every line of a table is as long as its head, counted in characters.
  std::size_t width = 0;
  std::size_t from = 0;
  int lines = 0;
  for (std::size_t end; (end = text.find('\n', from)) != std::string::npos; from = end + 1, ++lines) {
    const std::string_view line(text.data() + from, end - from);
    if (line.empty() || line.starts_with("Breaks:")) {
      width = 0;
      continue;
    }
    if (width == 0) width = characters(line);
    EXPECT_EQ(characters(line), width) << line;
  }
  EXPECT_EQ(lines, 11);  // a head and 4 teams, a blank, a head and 2 bars, a blank, the totals
  EXPECT_NE(text.find("  Tab\xEF\xBF\xBDhere  "), std::string::npos) << text;
  EXPECT_NE(text.find("  New\xEF\xBF\xBDline\xEF\xBF\xBD  "), std::string::npos) << text;
}

}  // namespace
}  // namespace quintora::report
