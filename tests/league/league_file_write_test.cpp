// Writing league files: the exact layout, compaction by the read-back, and
// failures that must keep the old file and the league as they were.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "league/league_file.h"
#include "league_test_support.h"
#include "ui/window_system.h"

namespace quintora::test {
namespace {

namespace c = ui::control;
namespace fs = std::filesystem;

bool save(League& league, FakeWindowSystem& ws, const fs::path& file, std::string_view title) {
  league.current_file_path.assign(file.string());
  ws.set_text(c::title, title);
  return write_league(league, ws);
}

TEST(WriteLeague, WritesTheExactLayoutAndReadsItBack) {
  ScratchFolder folder("layout");
  League league = make_league({{"Corner Pocket", 1, {"Corner Pocket", "Sharks"}}, {"Eight Ball", 1, {"Eight Ball"}}});
  league.gap_of_position_night = 3;
  league.file_state = FileState::UntitledModified;
  FakeWindowSystem ws;
  ASSERT_TRUE(save(league, ws, folder / "spring.sch", "Spring League"));
  EXPECT_EQ(file_bytes(folder / "spring.sch"),
            "!! Version 1.4.0\r\n"
            "<< Title >>\r\n"
            "Spring League\r\n"
            "<< Number of Bars and Gap of Position Night >>\r\n"
            "2  3\r\n"
            "<< BARS: Bar number, Number of Teams, Number of Tables and Bar Name >>\r\n"
            "1  2  1\r\n"
            "Corner Pocket\r\n"
            "2  1  1\r\n"
            "Eight Ball\r\n"
            "<< Number of Teams >>\r\n"
            "3\r\n"
            "<< TEAMS: Corresponding Bar Number and Team Name >>\r\n"
            "1\r\n"
            "Corner Pocket\r\n"
            "1\r\n"
            "Sharks\r\n"
            "2\r\n"
            "Eight Ball\r\n");
  EXPECT_EQ(league.file_state, FileState::Saved);
  EXPECT_EQ(league.stored_title.view(), "Spring League");
  EXPECT_EQ(league.current_file_path.view(), (folder / "spring.sch").string());
  EXPECT_TRUE(ws.messages().empty());
  EXPECT_EQ(folder.entries(), std::vector<std::string>{"spring.sch"});

  // Reading the saved file and saving it again changes no byte.
  League again;
  FakeWindowSystem ws2;
  std::ifstream in(folder / "spring.sch", std::ios::binary);
  ASSERT_EQ(read_league(again, in, ReadMode::Open, (folder / "spring.sch").string(), ws2), ReadResult::Success);
  EXPECT_EQ(describe(again), describe(league));
  ASSERT_TRUE(save(again, ws2, folder / "copy.sch", std::string(again.stored_title.view())));
  EXPECT_EQ(file_bytes(folder / "copy.sch"), file_bytes(folder / "spring.sch"));
}

TEST(WriteLeague, SavingCompactsRenumbersAndRegroups) {
  ScratchFolder folder("compact");
  League league = make_league({{"A", 2, {"a1"}}, {"B", 1, {"b1", "b2", "b3"}}, {"C", 1, {}}});
  add_team(league, "a2", 0);
  add_team(league, "c1", 2);
  add_team(league, "a3", 0);
  delete_bar(league, 1);
  EXPECT_EQ(league.n_bar, 2);
  EXPECT_EQ(league.n_bar_slot, 3);
  EXPECT_EQ(league.n_team, 4);
  const int d = add_bar(league, "D");
  EXPECT_EQ(d, 3);
  EXPECT_EQ(league.bar.number[3], 4);
  add_team(league, "d1", d);
  delete_team(league, 4, 0);  // a2
  add_team(league, "a4", 0);

  FakeWindowSystem ws;
  ws.list_append(c::bar_list, "B", 1);
  ws.list_select(c::bar_list, 0);
  ASSERT_TRUE(save(league, ws, folder / "compact.sch", ""));
  EXPECT_EQ(describe(league),
            "title= gap=0 bars=3/3 teams=5/5\n"
            "bar 1 3 2 [A]\n"
            "bar 2 1 1 [C]\n"
            "bar 3 1 1 [D]\n"
            "team 1 [a1]\n"
            "team 1 [a3]\n"
            "team 1 [a4]\n"
            "team 2 [c1]\n"
            "team 3 [d1]\n");
  EXPECT_EQ(ws.list_texts(c::bar_list), (std::vector<std::string>{"A", "C", "D"}));
  EXPECT_EQ(ws.list_selected(c::bar_list), -1);
  EXPECT_NE(file_bytes(folder / "compact.sch").find("<< Title >>\r\n\r\n<<"), std::string::npos);
}

// Counts written are the counts of the lines written, so a hand-edited
// league cannot make the writer contradict itself or duplicate teams.
TEST(WriteLeague, WrittenCountsMatchTheLinesWritten) {
  ScratchFolder folder("counts");
  FakeWindowSystem ws;
  League league;
  ASSERT_EQ(read_text(league,
                      "!!\n\nT\n\n3  0\n\n1  9  1\nTwin A\n1  9  1\nTwin B\n5  0  2\nLonely\n\n4\n\n1\nOne\n1\nTwo\n8\nStray\n"
                      "-2\nGone\n",
                      ws),
            ReadResult::Success);
  EXPECT_EQ(league.n_team, 3);  // the deleted team is not counted
  ASSERT_TRUE(save(league, ws, folder / "counts.sch", "T"));
  const std::string bytes = file_bytes(folder / "counts.sch");
  EXPECT_NE(bytes.find("3  0\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("1  2  1\r\nTwin A\r\n2  0  1\r\nTwin B\r\n3  0  2\r\nLonely\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("<< Number of Teams >>\r\n2\r\n"), std::string::npos);
  EXPECT_EQ(league.n_team, 2);
  EXPECT_EQ(league.bar.n_team_this_bar[0], 2);
  EXPECT_EQ(league.bar.n_team_this_bar[1], 0);
}

TEST(WriteLeague, NamesAndTitlesSurviveByteForByte) {
  const std::vector<std::string> names = {
      std::string(59, 'N'),
      std::string(57, 'x') + "\xC3\xA9",  // 59 bytes ending in a two-byte character
      "\tTabbed\t",
      "Blanks  inside, commas, 100% and %d %s",
      "Ümlaut Straße Ελλάδα Москва",
      "Trailing CR?\r",  // a line break inside a name cannot survive; a blank takes its place
  };
  const std::vector<std::string> expected = {names[0], names[1], names[2], names[3], names[4], "Trailing CR? "};
  ScratchFolder folder("names");
  League league;
  for (const std::string& n : names) add_team(league, n, add_bar(league, n));
  FakeWindowSystem ws;
  const std::string title = std::string(78, 'T') + "\xC3\xA9";  // 80 bytes
  ASSERT_TRUE(save(league, ws, folder / "names.sch", title));
  EXPECT_EQ(league.stored_title.view(), title);
  ASSERT_EQ(league.n_bar, static_cast<int>(names.size()));
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(league.bar.name[i].view(), expected[i]);
    EXPECT_EQ(league.team.name[i].view(), expected[i]);
  }
}

TEST(WriteLeague, TitleFieldIsCutToEightyBytesAtACharacter) {
  ScratchFolder folder("title");
  League league = make_league({{"Bar", 1, {}}});
  FakeWindowSystem ws;
  ASSERT_TRUE(save(league, ws, folder / "t.sch", std::string(79, 'T') + "\xC3\xA9" + "more"));
  EXPECT_EQ(league.stored_title.view(), std::string(79, 'T'));
}

TEST(WriteLeague, ReplacesAnExistingFileAndLeavesNothingBeside) {
  ScratchFolder folder("replace");
  put_file(folder / "l.sch", "old contents that are longer than the new file will be, by far, really\n");
  put_file(folder / "l.sch.tmp", "someone else's file");
  League league = make_league({{"Bar", 1, {"Team"}}});
  FakeWindowSystem ws;
  ASSERT_TRUE(save(league, ws, folder / "l.sch", "New"));
  EXPECT_EQ(file_bytes(folder / "l.sch").rfind("!! Version 1.4.0\r\n<< Title >>\r\nNew\r\n", 0), 0u);
  EXPECT_EQ(file_bytes(folder / "l.sch.tmp"), "someone else's file");
  EXPECT_EQ(folder.entries().size(), 2u);
}

TEST(WriteLeague, ALinkedFileIsReplacedWhereItLivesWithItsPermissions) {
  ScratchFolder folder("link");
  put_file(folder / "real.sch", "old");
  const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(folder / "real.sch", perms);
  std::error_code ec;
  fs::create_symlink(folder / "real.sch", folder / "link.sch", ec);
  if (ec) GTEST_SKIP() << "no symbolic links here";
  League league = make_league({{"Bar", 1, {}}});
  FakeWindowSystem ws;
  ASSERT_TRUE(save(league, ws, folder / "link.sch", "Linked"));
  EXPECT_TRUE(fs::is_symlink(folder / "link.sch"));
  EXPECT_NE(file_bytes(folder / "real.sch").find("Linked"), std::string::npos);
  EXPECT_EQ(fs::status(folder / "real.sch").permissions() & fs::perms::all, perms);
  EXPECT_EQ(league.current_file_path.view(), (folder / "link.sch").string());
}

TEST(WriteLeague, FailureKeepsTheFileTheLeagueAndItsState) {
  ScratchFolder folder("fail");
  const std::string old_bytes = "!! Version 1.4.0\r\nprevious contents\r\n";
  put_file(folder / "readonly.sch", old_bytes);
  fs::permissions(folder / "readonly.sch", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

  struct Case {
    const char* what;
    fs::path file;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {"missing folder", folder / "no such folder" / "l.sch", "The file or its folder cannot be written."},
      {"read-only file", folder / "readonly.sch", "The file is read-only."},
      {"a folder in the way", folder.path(), "The file cannot be replaced."},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    League league = make_league({{"A", 1, {"a"}}, {"B", 1, {"b"}}});
    delete_bar(league, 0);
    league.file_state = FileState::Modified;
    league.stored_title.assign("Before");
    league.current_file_path.assign(k.file.string());
    const std::string before = describe(league);
    FakeWindowSystem ws;
    ws.set_text(c::title, "After");
    EXPECT_FALSE(write_league(league, ws));
    EXPECT_EQ(describe(league), before);
    EXPECT_EQ(league.file_state, FileState::Modified);
    ASSERT_EQ(ws.messages().size(), 1u);
    EXPECT_EQ(ws.messages()[0].caption, "Stop !");
    EXPECT_EQ(ws.messages()[0].icon, ui::Icon::Error);
    EXPECT_EQ(ws.messages()[0].text, "The league could not be saved to " + k.file.string() + ".\n" + k.reason);
  }
  EXPECT_EQ(file_bytes(folder / "readonly.sch"), old_bytes);
  EXPECT_EQ(folder.entries(), std::vector<std::string>{"readonly.sch"});
}

TEST(WriteLeague, ReadOnlyFolderKeepsTheOldFile) {
  ScratchFolder folder("readonly-folder");
  const fs::path file = folder / "l.sch";
  put_file(file, "old");
  fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
  {
    std::ofstream probe(folder / "probe", std::ios::binary);
    if (probe.is_open()) {
      probe.close();
      fs::remove(folder / "probe");
      GTEST_SKIP() << "this user may write into read-only folders";
    }
  }
  League league = make_league({{"A", 1, {}}});
  league.current_file_path.assign(file.string());
  league.file_state = FileState::Modified;
  FakeWindowSystem ws;
  EXPECT_FALSE(write_league(league, ws));
  EXPECT_EQ(league.file_state, FileState::Modified);
  EXPECT_EQ(file_bytes(file), "old");
  ASSERT_EQ(ws.messages().size(), 1u);
  EXPECT_EQ(ws.messages()[0].caption, "Stop !");
}

TEST(WriteLeague, NoPathIsAFailureNotASilentSuccess) {
  League league = make_league({{"A", 1, {}}});
  league.file_state = FileState::UntitledModified;
  FakeWindowSystem ws;
  EXPECT_FALSE(write_league(league, ws));
  EXPECT_EQ(league.file_state, FileState::UntitledModified);
  ASSERT_EQ(ws.messages().size(), 1u);
  EXPECT_EQ(ws.messages()[0].caption, "Stop !");
}

}  // namespace
}  // namespace quintora::test
