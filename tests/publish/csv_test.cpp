#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "publish/publish.h"
#include "readers.h"
#include "season_builder.h"

namespace quintora::publish {
namespace {

using season::Season;

// A name as the file holds it: an apostrophe in front of a formula starter.
std::string cell(const std::string& text) {
  return !text.empty() && std::string("=+-@\t\r").find(text[0]) != std::string::npos ? "'" + text : text;
}

TEST(FixturesCsv, HostileNamesAndOneTeamReadBackByTheRules) {
  for (const Season& s : {test::five_hostile(), test::all_hostile(), test::all_hostile(false)}) {
    for (int team : {0, 1, 5}) {
      const Output out = fixtures_csv(s, test::for_team(team));
      ASSERT_EQ(out.bytes.substr(0, 3), "\xEF\xBB\xBF") << "byte-order mark";
      const auto table = test::parse_csv(out.bytes.substr(3));
      ASSERT_TRUE(table) << "not RFC 4180:\n" << out.bytes;
      EXPECT_EQ(*table, test::fixture_rows(s, team, cell));
    }
  }
  // By hand: the Christmas break moves week 4 to 2025-01-07; a bye has no start time.
  const auto table = test::parse_csv(fixtures_csv(test::five_hostile()).bytes.substr(3));
  EXPECT_EQ((*table)[1], (std::vector<std::string>{"1", "2024-12-03", "Tuesday", "20:00", "100% Pool",
                                                   "\"Quoted\" Cue", "The \"Crown\", Inn", ""}));
  EXPECT_EQ((*table)[3], (std::vector<std::string>{"1", "2024-12-03", "Tuesday", "", "Comma, Club", "", "",
                                                   "Not Playing"}));
  EXPECT_EQ((*table)[10][1], "2025-01-07");
}

TEST(FixturesCsv, QuotingAndFormulaCellsExactly) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Plain", "Plain"},
      {"a=b", "a=b"},
      {" =b", " =b"},
      {"'Tis", "'Tis"},
      {"=1+1", "'=1+1"},
      {"+1", "'+1"},
      {"-1", "'-1"},
      {"@x", "'@x"},
      {"\tx", "'\tx"},
      {"\rx", "\"'\rx\""},
      {"a,b", "\"a,b\""},
      {"=a,b", "\"'=a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"a\r\nb", "\"a\r\nb\""},
      {"a\nb", "\"a\nb\""},
      {"semi;colon 100%", "semi;colon 100%"},
      {"bad \xFF byte", "bad \xEF\xBF\xBD byte"},
  };
  const std::string header = "\xEF\xBB\xBFWeek,Date,Day,Time,Home team,Away team,Venue,Note\r\n";
  for (const auto& [name, field] : cases) {
    const Season s = test::make_season({name, "B"}, {"Hall"}, "T", std::nullopt, 1);
    EXPECT_EQ(fixtures_csv(s).bytes, header + "1,,,," + field + ",B,Hall,\r\n") << name;
  }
}

TEST(UploadCsv, HeaderRowsAndDatesForTheWebsite) {
  const Season s = test::all_hostile();
  const std::string bytes = upload_csv(s).bytes;
  const std::string header =
      "Date dd/mm/yyyy,Time HH:MM,Division,Home Team,Away Team,Venue,Pitch,Home Score,Away Score\r\n";
  ASSERT_EQ(bytes.substr(0, header.size()), header) << "exact header, no byte-order mark";
  const auto table = test::parse_csv(bytes);
  ASSERT_TRUE(table);
  test::Table expected = {(*table)[0]};
  for (const auto& row : test::fixture_rows(s, 0, cell)) {
    if (row[0] == "Week" || row[7] == "Not Playing") continue;
    const std::string dmy = row[1].substr(8, 2) + "/" + row[1].substr(5, 2) + "/" + row[1].substr(0, 4);
    expected.push_back({dmy, "19:30", s.title, row[4], row[5], row[6], "", "", ""});
  }
  EXPECT_EQ(*table, expected);
  EXPECT_EQ((*table)[9][0], "01/04/2025") << "week 2 (eight matches a week)";
}

}  // namespace
}  // namespace quintora::publish
