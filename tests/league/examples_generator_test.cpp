// The league files in examples/ are written by this code. The disabled test
// regenerates them:
//   test_league --gtest_also_run_disabled_tests --gtest_filter='*WriteExamples*'
// The enabled one checks that each reads and saves back to the same bytes.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "league/league_file.h"
#include "league_test_support.h"
#include "ui/window_system.h"

namespace quintora::test {
namespace {

namespace fs = std::filesystem;

const fs::path examples = fs::path(QUINTORA_SOURCE_DIR) / "examples";

struct Example {
  const char* file;
  const char* title;
  std::vector<BarSpec> bars;
};

std::vector<Example> small_examples() {
  return {
      {"spring-league.sch",
       "Riverside Pool League - Spring 2026",
       {{"The Corner Pocket", 1, {"Corner Pocket", "Pocket Rockets"}},
        {"Eight Ball Saloon", 2, {"Eight Ball Saloon", "Cue Tips", "Chalk & Cheese"}},
        {"O'Malley's", 1, {"O'Malley's"}},
        {"Café Bruxelles", 1, {"Les Boules", "Side Spin"}}}},
      {"odd-league.sch",
       "Tuesday Night Darts, Division 2",
       {{"The Red Lion", 2, {"Red Lion", "Lionhearts", "Pride of the Lion"}},
        {"Dog & Duck", 1, {"Dog & Duck", "Quackers"}},
        {"Kings Arms", 1, {"Kings Arms"}},
        {"The Tap House", 2, {"Tap House", "100% Proof", "Double Top"}},
        {"Zum Goldenen Hirsch", 1, {"Hirschjäger", "Bullseye Bavaria"}}}},
  };
}

Example county_example() {
  const char* const inns[] = {"Red Lion",   "White Hart",  "Black Bull",  "Golden Fleece", "Royal Oak",
                              "Crown",      "Plough",      "Bell",        "Swan",          "Rose and Crown",
                              "George",     "Anchor",      "Ship",        "Wheatsheaf",    "Star",
                              "Fox and Hounds", "Green Man", "Three Horseshoes", "Bear",    "Cross Keys",
                              "New Inn",    "Railway",     "Angel",       "King's Head",   "Queen's Head",
                              "Coach and Horses", "Nag's Head", "Blue Boar", "Eagle",      "Feathers",
                              "Hare and Hounds", "Dolphin",  "Falcon",     "Grapes",        "Harrow",
                              "Jolly Sailor", "Lamb",       "Mitre",       "Pheasant",      "Quiet Woman",
                              "Saracen's Head", "Talbot",   "Unicorn",     "Victoria",      "Woolpack",
                              "Yew Tree"};
  const char* const towns[] = {"Ashby", "Bramley", "Cheriton", "Dunmore", "Elsworth", "Fenwick"};
  Example county{"county-league.sch", "Shire County Pool League - Season 2026/27", {}};
  int n = 0;
  for (const char* inn : inns) {
    const std::string town = towns[n % 6];
    BarSpec bar{"The " + std::string(inn) + ", " + town, 1, {std::string(inn) + " A", std::string(inn) + " B"}};
    if (n % 9 == 4) {  // five bars field a third team and need a second table
      bar.teams.push_back(std::string(inn) + " Vets");
      bar.tables = 2;
    }
    county.bars.push_back(bar);
    ++n;
  }
  return county;
}

std::vector<Example> all_examples() {
  std::vector<Example> all = small_examples();
  all.push_back(county_example());
  return all;
}

TEST(Examples, DISABLED_WriteExamples) {
  for (const Example& e : all_examples()) {
    League league;
    for (const BarSpec& b : e.bars) {
      const int p = add_bar(league, b.name);
      ASSERT_NE(p, no_position);
      set_tables(league, p, b.tables);
      for (const std::string& t : b.teams) ASSERT_NE(add_team(league, t, p), no_position);
    }
    FakeWindowSystem ws;
    ws.set_text(ui::control::title, e.title);
    league.current_file_path.assign((examples / e.file).string());
    ASSERT_TRUE(write_league(league, ws)) << e.file;
  }
}

TEST(Examples, ReadAndSaveBackUnchanged) {
  ScratchFolder folder("examples");
  for (const Example& e : all_examples()) {
    SCOPED_TRACE(e.file);
    const fs::path file = examples / e.file;
    std::ifstream in(file, std::ios::binary);
    ASSERT_TRUE(in.is_open());
    League league;
    FakeWindowSystem ws;
    ASSERT_EQ(read_league(league, in, ReadMode::Open, file.string(), ws), ReadResult::Success);
    EXPECT_TRUE(ws.messages().empty());
    int teams = 0;
    for (int p = 0; p < league.n_bar; ++p) {
      const auto i = static_cast<std::size_t>(p);
      EXPECT_GE(league.bar.n_table_this_bar[i], (league.bar.n_team_this_bar[i] + 1) / 2);
      teams += league.bar.n_team_this_bar[i];
    }
    EXPECT_EQ(teams, league.n_team);
    EXPECT_LE(league.n_bar, max_bars);
    EXPECT_LE(league.n_team, max_teams);
    league.current_file_path.assign((folder / e.file).string());
    ASSERT_TRUE(write_league(league, ws));
    EXPECT_EQ(file_bytes(folder / e.file), file_bytes(file));
  }
}

}  // namespace
}  // namespace quintora::test
