#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "publish/publish.h"
#include "readers.h"
#include "season_builder.h"

namespace quintora::publish {
namespace {

using season::Season;

// A name as the file holds it: an apostrophe in front of a formula starter
// (blanks and opening quotes before it do not count).
std::string cell(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \"");
  if (first == std::string::npos || std::string("=+-@\t\r").find(text[first]) == std::string::npos)
    return text;
  return text.substr(0, first) + "'" + text.substr(first);
}

TEST(Csv, FixturesReadBackByTheRules) {
  for (const Season& s : {test::hostile(), test::hostile(false)}) {
    for (int team : {0, 1, 5}) {
      const Output out = fixtures_csv(s, test::for_team(team));
      ASSERT_EQ(out.bytes.substr(0, 3), "\xEF\xBB\xBF") << "byte-order mark";
      const auto table = test::parse_csv(out.bytes.substr(3));
      ASSERT_TRUE(table) << "not RFC 4180:\n" << out.bytes;
      EXPECT_EQ(*table, test::fixture_rows(s, team, cell));
    }
  }
  // By hand: week 1, its bye without a start time.
  const std::string bytes = fixtures_csv(test::hostile()).bytes;
  EXPECT_EQ(
      bytes.substr(0, bytes.find("\r\n2,")),
      "\xEF\xBB\xBFWeek,Date,Day,Time,Home team,Away team,Venue,Note\r\n"
      "1,2024-12-03,Tuesday,19:30,\"Line\r\nBreak\tand\rReturn; \\\",<b>Bold</b> & Co's,Bar <&> Grill,\r\n"
      "1,2024-12-03,Tuesday,19:30,'=SUM(A1:A9),Caf\u00e9 \u6771\u4eac\u30d3\u30ea\u30e4\u30fc\u30c9 "
      "\U0001F3B1 100%,'=Bar \u9152\u5834,\r\n"
      "1,2024-12-03,Tuesday,,\"Comma, \"\"Quoted\"\" Cue\",,,Not Playing");
}

TEST(Csv, QuotingAndFormulaCellsExactly) {
  // clang-format off
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Plain", "Plain"}, {"a=b", "a=b"}, {" =b", " '=b"}, {"'Tis", "'Tis"}, {"semi;colon 100%", "\"semi;colon 100%\""},
      {"x;=cmd|' /C calc'!A0;", "\"x;=cmd|' /C calc'!A0;\""}, {"x,\"=1+1\"", "\"x,\"\"=1+1\"\"\""},
      {"\"=1+1\"", "\"\"\"'=1+1\"\"\""}, {"a\tb", "\"a\tb\""},
      {"=1+1", "'=1+1"}, {"+1", "'+1"}, {"-1", "'-1"}, {"@x", "'@x"}, {"\tx", "\"'\tx\""}, {"\rx", "\"'\rx\""},
      {"a,b", "\"a,b\""}, {"=a,b", "\"'=a,b\""}, {"say \"hi\"", "\"say \"\"hi\"\"\""}, {"a\r\nb", "\"a\r\nb\""},
      {"a\nb", "\"a\nb\""}, {"bad \xFF byte", "bad \xEF\xBF\xBD byte"}};
  // clang-format on
  const std::string header = "\xEF\xBB\xBFWeek,Date,Day,Time,Home team,Away team,Venue,Note\r\n";
  for (const auto& [name, field] : cases) {
    const Season s = test::make_season({name, "B"}, {"Hall"}, "T", std::nullopt, 1);
    EXPECT_EQ(fixtures_csv(s).bytes, header + "1,,,," + field + ",B,Hall,\r\n") << name;
  }
}

TEST(Csv, UploadHasTheWebsitesHeaderNoByteOrderMarkAndDayMonthYear) {
  const Season s = test::hostile();
  const std::string bytes = upload_csv(s).bytes;
  const auto table = test::parse_csv(bytes);
  ASSERT_TRUE(table) << bytes;
  // The exact header, so no byte-order mark.
  test::Table expected = {{"Date dd/mm/yyyy", "Time HH:MM", "Division", "Home Team", "Away Team", "Venue",
                           "Pitch", "Home Score", "Away Score"}};
  for (const auto& row : test::fixture_rows(s, 0, cell)) {
    if (row[0] == "Week" || row[7] == "Not Playing") continue;
    const std::string dmy = row[1].substr(8, 2) + "/" + row[1].substr(5, 2) + "/" + row[1].substr(0, 4);
    expected.push_back({dmy, "19:30", s.title, row[4], row[5], row[6], "", "", ""});
  }
  EXPECT_EQ(*table, expected);
  EXPECT_EQ((*table)[7][0], "31/12/2024") << "week 4, moved by the week off";
}

}  // namespace
}  // namespace quintora::publish
