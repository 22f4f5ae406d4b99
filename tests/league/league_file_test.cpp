// League files: reading (line ends, the mark, hand-edited fields, refusals
// that change nothing), writing (names, failures that keep the old file and
// the league) and the examples; the layout and the compaction by the
// read-back are in sections_test.cpp with the sections'.

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "league_test_support.h"

namespace quintora::test {

namespace fs = std::filesystem;
using LeagueFileTest = ScratchFolderTest;

// The example league as describe() shows it.
const std::string spring_model =
    "title=Spring League gap=0 bars=2/2 teams=3/3\nbar 1 2 1 [Corner Pocket]\nbar 2 1 1 [Eight Ball]\n"
    "team 1 [Corner Pocket]\nteam 1 [Sharks]\nteam 2 [Eight Ball]\n";

static std::string replaced(std::string text, const std::string& from, const std::string& to) {
  return text.find(from) == std::string::npos ? "from not found"
                                              : text.replace(text.find(from), from.size(), to);
}

TEST(ReadLeague, ReadsWhatTheFileSaysOrRefusesItChangingNothing) {
  const std::string crlf = with_crlf(spring_lf), longest_path = "/home/ünï côde/" + std::string(237, 'p');
  const std::string no = "Sorry ! (error) This league file cannot be read: ",
                    cut = no + "it ends before all its numbers.";
  const std::string not_league = "Sorry ! (error) Not a Vazedored file.", o58(58, 'o'), t80(80, 'T');
  const auto ed = [](const std::string& from, const std::string& to) {
    return replaced(spring_lf, from, to);
  };
  const struct {
    std::string text, box, expected = spring_model,
                           path = "after.sch";  // box: "" when read; expected: in describe()
  } cases[] = {
      {crlf.substr(0, crlf.size() - 2), "", spring_model, longest_path},  // CR LF, none after the last line
      {"\xEF\xBB\xBF!! 9" + crlf.substr(16), ""},  // only the mark's first two characters count
      {ed("1  2  1\n", " 1\t2147483647 \t 7   \r\n"), "",
       "bar 1 100 7 [Corner"},                                    // a bar's teams fit the table
      {ed("1  2  1\n", "1  -5  -1\n"), "", "bar 1 0 1 [Corner"},  // table counts below 1 are read as 1
      // Numbers over several lines; white space after them, empty lines
      // included, comes before the name.
      {ed("2  1  1\nEight Ball", "2\n1\n\n 3\n\n \t\r\n\v\f\n\t Eight Ball\t"), "",
       "bar 2 1 3 [Eight Ball\t]"},
      // Windows-1252 lines are converted, each on its own; UTF-8 lines stay.
      {ed("Spring League", "Caf\xE9 \x93League\x94 \x80\x81"), "",
       "title=Caf\u00E9 \u201CLeague\u201D \u20AC\uFFFD gap"},
      {ed("Eight Ball\n<<", "Caf\xC3\xA9\n<<"), "", "bar 2 1 1 [Caf\u00E9]"},
      {ed("Sharks", std::string(59, '\xE9')), "",
       "team 1 [" + repeated("\u00E9", 29) + "]"},                      // grown past the room: cut
      {ed("1  2  1\n", "1  x  9\n"), "", "bar 1 0 1 [Corner Pocket]"},  // garbage goes with its line
      {ed("2  1  1\n", "2  1\n"), "",
       "bar 2 1 1 [Eight Ball]\nteam 1 [Corner Pocket]\nteam 1 [Sharks]\nteam 2 [Eight"},
      {ed("Spring League", t80 + "X"), "", "title=" + t80 + " gap"},  // overlong lines cut at a character
      {ed("Sharks", o58 + "é" + std::string(5000, 'L')), "", "team 1 [" + o58 + "]\nteam 2"},
      {ed("!! ", "! "), not_league},
      {"", not_league},
      {ed("2  0\n", "51  0\n"), no + "its number of bars (51) is not between 0 and 50."},
      {ed("2  0\n", "-1  0\n"), no + "its number of bars (-1) is not between 0 and 50."},
      {ed("\n3\n", "\n101\n"), no + "its number of teams (101) is not between 0 and 100."},
      {ed("2  0\n", "99999999999  0\n"), no + "its number of bars is not a number."},
      {"!! Version 1.4.0\n", cut},
      {ed("\n3\n", "\n4\n"), cut},
      {spring_lf, no + "its path is longer than 255 bytes.", "", std::string(256, 'p')},
  };
  for (const auto& k : cases) {
    league::League league = make_league({{"Kept", 2, {"Keeper"}}});
    league.current_file_path.assign("before.sch");
    league.file_state = league::FileState::Modified;
    const std::string before = describe(league);
    base::Notices notices;
    const league::ReadResult result = read_text(league, k.text, notices, k.path);
    const bool read = k.box.empty();
    EXPECT_EQ(boxes(notices), read ? "" : k.box + "\n");
    EXPECT_EQ(result, read                  ? league::ReadResult::Success
                      : k.box == not_league ? league::ReadResult::NotLeagueFile
                                            : league::ReadResult::Refused);
    const std::string now = describe(league);
    EXPECT_TRUE(read ? now.find(k.expected) != std::string::npos : now == before)
        << now << "lacks " << k.expected;
    EXPECT_EQ(league.current_file_path.view(), read ? k.path : "before.sch");
    EXPECT_EQ(league.file_state, read ? league::FileState::Saved : league::FileState::Modified);
  }
}

// The layout itself is checked byte for byte with the sections'.
TEST_F(LeagueFileTest, WritesEveryNameAndTheGapAndReadsThemBack) {
  // Names and titles survive byte for byte; a title too long is cut at a character.
  league::League names;
  for (const std::string& n : {std::string(59, 'N'), std::string(57, 'x') + "é", std::string("Tab\tbed\t"),
                               std::string("Blanks  inside, commas, 100% and %d %s Straße Ελλάδα")})
    add_team(names, n, add_bar(names, n));
  names.gap_of_position_night = 3;
  const std::string title = std::string(78, 'T') + "é", before = describe(names);  // 80 bytes
  base::Notices notices;
  ASSERT_TRUE(save(names, notices, folder_ / "names.sch", title));
  EXPECT_EQ(describe(names), replaced(before, "title=", "title=" + title));
  EXPECT_EQ(names.file_state, league::FileState::Saved);
  ASSERT_TRUE(save(names, notices, folder_ / "long title.sch", "T" + title));
  EXPECT_EQ(names.stored_title.view(), std::string(79, 'T'));
  // Those files and the examples, written by this code, read and save back to the same bytes.
  std::vector<fs::path> files = {folder_ / "names.sch", folder_ / "long title.sch"};
  for (const auto& e : fs::directory_iterator(fs::path(QUINTORA_SOURCE_DIR) / "examples"))
    if (e.path().extension() == ".sch") files.push_back(e.path());
  for (const fs::path& file : files) {
    league::League again;
    ASSERT_EQ(read_league_file(again, base::utf8_of(file), league::ReadMode::Open, notices),
              league::ReadResult::Success);
    ASSERT_TRUE(save(again, notices, folder_ / "copy.sch", std::string(again.stored_title.view())));
    EXPECT_EQ(read_file(folder_ / "copy.sch"), read_file(file)) << file;
  }
  EXPECT_EQ(boxes(notices), "");
  EXPECT_EQ(others(), 3);
}

// A league file is a few kilobytes: a huge file is refused after reading
// one byte past the limit, whether or not it has line ends; what is not a
// regular file (an endless device, a FIFO no program writes to) is refused
// before a byte is read, without waiting on its open.
TEST_F(LeagueFileTest, EndlessAndHugeFilesAreRefusedUnreadPastTheLimit) {
  std::ofstream(folder_ / "huge.sch", std::ios::binary)
      << "!!" << std::string(3 * league::max_league_file_bytes, '!');
  const std::string huge = base::utf8_of(folder_ / "huge.sch");
  std::vector<std::pair<std::string, std::string>> cases = {{huge, "it is larger than 1024 KB."}};
#ifndef _WIN32
  const std::string fifo = base::utf8_of(folder_ / "fifo.sch");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& device : {std::string("/dev/zero"), fifo, base::utf8_of(folder_)})
    cases.emplace_back(device, "it is not a file but a device, a pipe or a folder.");
#endif
  for (const auto& [path, box] : cases) {
    league::League league = make_league({{"Kept", 1, {"Keeper"}}});
    base::Notices notices;
    EXPECT_EQ(read_league_file(league, path, league::ReadMode::Open, notices), league::ReadResult::Refused)
        << path;
    EXPECT_EQ(boxes(notices), "Sorry ! (error) This league file cannot be read: " + box + "\n");
    EXPECT_EQ(describe(league), describe(make_league({{"Kept", 1, {"Keeper"}}})));
  }
}

TEST_F(LeagueFileTest, FailureKeepsTheFileTheLeagueAndItsState) {
  // The writer's own refusals (a file another program holds open on Windows
  // among them) are named in its tests; one stands for them.
  fs::permissions(target_, fs::perms::owner_read | fs::perms::group_read);
  const std::pair<std::string, std::string> cases[] = {
      {base::utf8_of(target_), "The file is read-only."},
      {"", "The league has no file name yet."},
  };
  for (const auto& [path, box] : cases) {
    league::League league = make_league({{"A", 1, {"a"}}, {"B", 1, {"b"}}});
    delete_bar(league, 0);
    league.file_state = league::FileState::Modified;
    league.current_file_path.assign(path);
    const std::string before = describe(league);
    base::Notices notices;
    EXPECT_FALSE(write_league(league, "Typed", notices));  // not taken into the league
    EXPECT_EQ(describe(league), before);
    EXPECT_EQ(league.file_state, league::FileState::Modified);
    const std::string where = path.empty() ? "a file" : path;
    EXPECT_EQ(boxes(notices),
              "Stop ! (error) The league could not be saved to " + where + ".\n" + box + "\n");
  }
  EXPECT_EQ(read_file(target_), old_text_);
  EXPECT_EQ(others(), 0) << "no temporary file left";
}

}  // namespace quintora::test
