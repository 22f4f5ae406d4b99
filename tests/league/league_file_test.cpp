// Reading league files: layouts, line ends, the mark, limits and refusals.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "league/league_file.h"
#include "league_test_support.h"
#include "ui/window_system.h"

namespace quintora::test {
namespace {

namespace c = ui::control;

// The example league of two bars and three teams, with LF line ends.
const std::string spring_lf =
    "!! Version 1.4.0\n"
    "<< Title >>\n"
    "Spring League\n"
    "<< Number of Bars and Gap of Position Night >>\n"
    "2  0\n"
    "<< BARS: Bar number, Number of Teams, Number of Tables and Bar Name >>\n"
    "1  2  1\n"
    "Corner Pocket\n"
    "2  1  1\n"
    "Eight Ball\n"
    "<< Number of Teams >>\n"
    "3\n"
    "<< TEAMS: Corresponding Bar Number and Team Name >>\n"
    "1\n"
    "Corner Pocket\n"
    "1\n"
    "Sharks\n"
    "2\n"
    "Eight Ball\n";

std::string with_crlf(const std::string& lf) {
  std::string out;
  for (char ch : lf) {
    if (ch == '\n') out += '\r';
    out += ch;
  }
  return out;
}

std::string replace_line(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

const std::string spring_model =
    "title=Spring League gap=0 bars=2/2 teams=3/3\n"
    "bar 1 2 1 [Corner Pocket]\n"
    "bar 2 1 1 [Eight Ball]\n"
    "team 1 [Corner Pocket]\n"
    "team 1 [Sharks]\n"
    "team 2 [Eight Ball]\n";

TEST(ReadLeague, ReadsTheSameLeagueWhateverTheLineEnds) {
  const std::string mixed = replace_line(with_crlf(spring_lf), "Sharks\r\n", "Sharks\n");
  const std::string no_final_line_end = spring_lf.substr(0, spring_lf.size() - 1);
  for (const std::string& text : {spring_lf, with_crlf(spring_lf), mixed, no_final_line_end}) {
    League league;
    FakeWindowSystem ws;
    ASSERT_EQ(read_text(league, text, ws), ReadResult::Success);
    EXPECT_EQ(describe(league), spring_model);
    EXPECT_TRUE(ws.messages().empty());
    EXPECT_EQ(league.file_state, FileState::Saved);
  }
}

TEST(ReadLeague, ResetsTheEditorDisplay) {
  League league;
  FakeWindowSystem ws;
  ws.list_append(c::team_list, "Old team", 7);
  ws.set_text(c::bar_name_label, "Old bar");
  ws.set_text(c::team_count_label, "4");
  ws.set_text(c::bar_name, "typed");
  ws.list_append(c::bar_list, "Old bar", 0);
  ws.list_select(c::bar_list, 0);

  ASSERT_EQ(read_text(league, with_crlf(spring_lf), ws), ReadResult::Success);
  ASSERT_EQ(ws.rows(c::bar_list).size(), 2u);
  EXPECT_EQ(ws.rows(c::bar_list)[0].text, "Corner Pocket");
  EXPECT_EQ(ws.rows(c::bar_list)[1].text, "Eight Ball");
  EXPECT_EQ(ws.rows(c::bar_list)[1].tag, 1);
  EXPECT_EQ(ws.list_selected(c::bar_list), -1);
  EXPECT_EQ(ws.list_count(c::team_list), 0);
  EXPECT_EQ(ws.text(c::bar_name), "");
  EXPECT_EQ(ws.text(c::bar_name_label), "");
  EXPECT_EQ(ws.text(c::team_count_label), "");
  EXPECT_EQ(ws.text(c::total_teams_label), "3");
  EXPECT_EQ(ws.text(c::title), "Spring League");
  EXPECT_EQ(ws.change_count(c::tables), 1);  // the editor's tables handler runs on it
}

// The editor's handler runs inside show_league and must already see the new league.
TEST(ReadLeague, FieldHandlersSeeTheNewLeague) {
  struct Probe : ui::EventSink {
    const League* league = nullptr;
    std::vector<int> bars_seen;
    void on_event(int id, ui::Notification what) override {
      if (id == c::tables && what == ui::Notification::Changed) bars_seen.push_back(league->n_bar);
    }
  };
  League league;
  Probe probe;
  probe.league = &league;
  FakeWindowSystem ws;
  ws.set_event_sink(&probe);
  ASSERT_EQ(read_text(league, spring_lf, ws), ReadResult::Success);
  EXPECT_EQ(probe.bars_seen, std::vector<int>{2});
}

TEST(ReadLeague, OnlyTheTwoMarkCharactersAreChecked) {
  struct Case {
    std::string first_line;
    bool league_file;
  };
  const std::vector<Case> cases = {
      {"!! Version 1.4.0", true}, {"!!", true},          {"!! Version 9", true},        {"\xEF\xBB\xBF!! Version 1.4.0", true},
      {"! Version 1.4.0", false}, {" !! Version", false}, {"", false},                   {"\xEF\xBB!!", false},
      {"!\r!", false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.first_line);
    League league = make_league({{"Kept", 2, {"Keeper"}}});
    league.current_file_path.assign("before.sch");
    league.file_state = FileState::Modified;
    FakeWindowSystem ws;
    const std::string text = replace_line(spring_lf, "!! Version 1.4.0", k.first_line);
    const ReadResult result = read_text(league, text, ws, ReadMode::Open, "after.sch");
    if (k.league_file) {
      EXPECT_EQ(result, ReadResult::Success);
      EXPECT_EQ(league.current_file_path.view(), "after.sch");
    } else {
      EXPECT_EQ(result, ReadResult::NotLeagueFile);
      ASSERT_EQ(ws.messages().size(), 1u);
      EXPECT_EQ(ws.messages()[0].text, "Not a Vazedored file.");
      EXPECT_EQ(ws.messages()[0].caption, "Sorry !");
      EXPECT_EQ(ws.messages()[0].icon, ui::Icon::Error);
      EXPECT_EQ(league.current_file_path.view(), "before.sch");
      EXPECT_EQ(league.file_state, FileState::Modified);
      EXPECT_EQ(league.bar.name[0].view(), "Kept");
      EXPECT_EQ(ws.list_count(c::bar_list), 0);
    }
  }
  League league;
  FakeWindowSystem ws;
  EXPECT_EQ(read_text(league, "", ws), ReadResult::NotLeagueFile);
}

TEST(ReadLeague, TableCountsBelowOneAreReadAsOne) {
  for (const std::string count : {"0", "-3", "-2147483648"}) {
    League league;
    FakeWindowSystem ws;
    ASSERT_EQ(read_text(league, replace_line(spring_lf, "2  1  1\n", "2  1  " + count + "\n"), ws),
              ReadResult::Success);
    EXPECT_EQ(league.bar.n_table_this_bar[1], 1) << count;
  }
}

TEST(ReadLeague, BarTeamCountsStayWithinTheTeamTable) {
  const struct {
    std::string count;
    std::int32_t kept;
  } cases[] = {{"2147483647", 100}, {"101", 100}, {"-5", 0}, {"99", 99}};
  for (const auto& k : cases) {
    League league;
    FakeWindowSystem ws;
    ASSERT_EQ(read_text(league, replace_line(spring_lf, "1  2  1\n", "1  " + k.count + "  1\n"), ws),
              ReadResult::Success);
    EXPECT_EQ(league.bar.n_team_this_bar[0], k.kept) << k.count;
  }
}

TEST(ReadLeague, NumbersTakeFreeWhiteSpaceAndNamesKeepTheirBytes) {
  std::string text = replace_line(spring_lf, "1  2  1\n", " 1\t2 \t 7   \r\n");
  text = replace_line(text, "2  1  1\nEight Ball", "2\n1\n\n 1\n\tEight Ball\t");
  text = replace_line(text, "1\nSharks\n", "1\n   Sharks, 100% \"real\"  \n");
  text = replace_line(text, "2  0\n", "2\t-5\n");
  League league;
  FakeWindowSystem ws;
  ASSERT_EQ(read_text(league, text, ws), ReadResult::Success);
  EXPECT_EQ(league.gap_of_position_night, -5);
  EXPECT_EQ(league.bar.n_table_this_bar[0], 7);
  EXPECT_EQ(league.bar.number[1], 2);
  EXPECT_EQ(league.bar.name[1].view(), "\tEight Ball\t");
  EXPECT_EQ(league.team.name[1].view(), "Sharks, 100% \"real\"  ");
  EXPECT_EQ(league.team.name[2].view(), "Eight Ball");
}

TEST(ReadLeague, AnUnreadableEntryNumberKeepsTheLinesInStep) {
  // Garbage on a number line is passed over with its line; a number line
  // that ends early leaves the next line to be the name.
  std::string text = replace_line(spring_lf, "1  2  1\n", "1  x  9\n");
  text = replace_line(text, "2  1  1\n", "2  1\n");
  League league;
  FakeWindowSystem ws;
  ASSERT_EQ(read_text(league, text, ws), ReadResult::Success);
  EXPECT_EQ(league.bar.n_team_this_bar[0], 0);
  EXPECT_EQ(league.bar.n_table_this_bar[0], 1);
  EXPECT_EQ(league.bar.name[0].view(), "Corner Pocket");
  EXPECT_EQ(league.bar.name[1].view(), "Eight Ball");
  EXPECT_EQ(league.team.name[2].view(), "Eight Ball");
}

TEST(ReadLeague, CutsOverlongLinesAtACharacterBoundary) {
  const std::string title80(80, 'T');
  const std::string name59 = std::string(57, 'n') + "\xC3\xA9";                       // 59 bytes, ends in é
  const std::string name_over = std::string(58, 'o') + "\xC3\xA9" + "tail";          // é straddles byte 59
  std::string text = replace_line(spring_lf, "Spring League", title80 + "X");
  text = replace_line(text, "Corner Pocket\n2", name59 + "\n2");
  text = replace_line(text, "Sharks", name_over);
  text = replace_line(text, "2\nEight Ball\n", "2\n" + std::string(5000, 'L') + "\n");
  League league;
  FakeWindowSystem ws;
  ASSERT_EQ(read_text(league, text, ws), ReadResult::Success);
  EXPECT_EQ(league.stored_title.view(), title80);
  EXPECT_EQ(league.bar.name[0].view(), name59);
  EXPECT_EQ(league.team.name[1].view(), std::string(58, 'o'));
  EXPECT_EQ(league.team.name[2].view(), std::string(59, 'L'));
}

TEST(ReadLeague, RefusedFilesChangeNothing) {
  struct Case {
    const char* what;
    std::string text;
    std::string message;
  };
  const std::string refused = "This league file cannot be read: ";
  const std::string cut = refused + "it ends before all its numbers.";
  const std::vector<Case> cases = {
      {"51 bars", replace_line(spring_lf, "2  0\n", "51  0\n"),
       refused + "its number of bars (51) is not between 0 and 50."},
      {"negative bars", replace_line(spring_lf, "2  0\n", "-1  0\n"),
       refused + "its number of bars (-1) is not between 0 and 50."},
      {"101 teams", replace_line(spring_lf, "\n3\n", "\n101\n"),
       refused + "its number of teams (101) is not between 0 and 100."},
      {"negative teams", replace_line(spring_lf, "\n3\n", "\n-2\n"),
       refused + "its number of teams (-2) is not between 0 and 100."},
      {"bars not a number", replace_line(spring_lf, "2  0\n", "two\n"), refused + "its number of bars is not a number."},
      {"bars too large", replace_line(spring_lf, "2  0\n", "99999999999  0\n"),
       refused + "its number of bars is not a number."},
      {"teams not a number", replace_line(spring_lf, "\n3\n", "\nthree\n"),
       refused + "its number of teams is not a number."},
      {"only the mark", "!! Version 1.4.0\n", cut},
      {"no gap", spring_lf.substr(0, spring_lf.find("2  0") + 1), cut},
      {"cut after a bar", spring_lf.substr(0, spring_lf.find("2  1  1")), cut},
      {"more teams than lines", replace_line(spring_lf, "\n3\n", "\n4\n"), cut},
      {"ends in a bar line", spring_lf.substr(0, spring_lf.find("1  2  1") + 4), cut},
      {"dangling sign", spring_lf.substr(0, spring_lf.rfind("2\nEight")) + "-", cut},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    League league = make_league({{"Kept", 2, {"Keeper"}}});
    league.stored_title.assign("Old title");
    league.current_file_path.assign("before.sch");
    league.file_state = FileState::Modified;
    const std::string before = describe(league);
    FakeWindowSystem ws;
    ws.set_text(c::title, "typed title");
    EXPECT_EQ(read_text(league, k.text, ws, ReadMode::Open, "after.sch"), ReadResult::Refused);
    ASSERT_EQ(ws.messages().size(), 1u);
    EXPECT_EQ(ws.messages()[0].text, k.message);
    EXPECT_EQ(ws.messages()[0].caption, "Sorry !");
    EXPECT_EQ(describe(league), before);
    EXPECT_EQ(league.current_file_path.view(), "before.sch");
    EXPECT_EQ(league.file_state, FileState::Modified);
    EXPECT_EQ(ws.text(c::title), "typed title");
  }
}

TEST(ReadLeague, RefusesAPathTheLeagueCannotHold) {
  League league;
  FakeWindowSystem ws;
  const std::string long_path(256, 'p');
  EXPECT_EQ(read_text(league, spring_lf, ws, ReadMode::Open, long_path), ReadResult::Refused);
  EXPECT_EQ(league.n_bar, 0);
  EXPECT_EQ(read_text(league, spring_lf, ws, ReadMode::Open, long_path.substr(1)), ReadResult::Success);
  EXPECT_EQ(league.current_file_path.view(), long_path.substr(1));
}

TEST(ReadLeague, RereadKeepsThePathOpenTakesIt) {
  League league;
  league.current_file_path.assign("C:\\Leagues\\Spring League.sch");
  FakeWindowSystem ws;
  ASSERT_EQ(read_text(league, spring_lf, ws, ReadMode::Reread, "ignored"), ReadResult::Success);
  EXPECT_EQ(league.current_file_path.view(), "C:\\Leagues\\Spring League.sch");
  ASSERT_EQ(read_text(league, spring_lf, ws, ReadMode::Open, "/home/ann/ünï côde.sch"), ReadResult::Success);
  EXPECT_EQ(league.current_file_path.view(), "/home/ann/ünï côde.sch");
}

TEST(ReadLeague, TeamsWithoutABarAreKeptAndNamedInOneBox) {
  std::string text = replace_line(spring_lf, "1\nSharks\n", "0\nSharks\n");
  text = replace_line(text, "2\nEight Ball\n", "7\nEight Ball\n");
  League league;
  FakeWindowSystem ws;
  ASSERT_EQ(read_text(league, text, ws), ReadResult::Success);
  ASSERT_EQ(ws.messages().size(), 1u);
  EXPECT_EQ(ws.messages()[0].caption, "Stopzzz !");
  EXPECT_EQ(ws.messages()[0].text,
            "Team Sharks has no bar.\nTeam Eight Ball has no bar.\nThey are left out when the league is saved.");
  EXPECT_EQ(league.n_team, 3);
  EXPECT_EQ(league.team.bar_number[1], 0);
  EXPECT_EQ(league.team.bar_number[2], 7);
}

TEST(ReadLeague, LiveCountsFollowTheEntries) {
  // A bar numbered -1 is a deleted entry; the counts must not claim it.
  std::string text = replace_line(spring_lf, "2  1  1\n", "-1  1  1\n");
  text = replace_line(text, "2\nEight Ball\n", "-1\nEight Ball\n");
  League league;
  FakeWindowSystem ws;
  ASSERT_EQ(read_text(league, text, ws), ReadResult::Success);
  EXPECT_EQ(league.n_bar_slot, 2);
  EXPECT_EQ(league.n_bar, 1);
  EXPECT_EQ(league.n_team_slot, 3);
  EXPECT_EQ(league.n_team, 2);
  EXPECT_EQ(ws.list_texts(c::bar_list), std::vector<std::string>{"Corner Pocket"});
  ASSERT_EQ(ws.messages().size(), 1u);
  EXPECT_EQ(ws.messages()[0].text,
            "Bar Eight Ball has no valid number.\nTeam Eight Ball has no bar.\nThey are left out when the league is "
            "saved.");
}

TEST(ReadLeague, ListsAtMostTenEntriesWithoutABar) {
  std::string text =
      "!!\n<< Title >>\n\n<<>>\n1  0\n<<>>\n1  0  1\nBar\n<<>>\n12\n<<>>\n";
  for (int t = 1; t <= 12; ++t) text += "5\nTeam " + std::to_string(t) + "\n";
  League league;
  FakeWindowSystem ws;
  ASSERT_EQ(read_text(league, text, ws), ReadResult::Success);
  ASSERT_EQ(ws.messages().size(), 1u);
  EXPECT_NE(ws.messages()[0].text.find("Team Team 10 has no bar.\nAnd 2 more.\n"), std::string::npos);
}

}  // namespace
}  // namespace quintora::test
