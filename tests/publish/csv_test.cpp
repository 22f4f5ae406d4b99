#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "publish/publish.h"
#include "readers.h"
#include "season_builder.h"

namespace quintora::publish {
namespace {

using season::Season;

// What a cell must hold: the name, with an apostrophe in front when a
// spreadsheet would take it for a formula.
std::string cell(const std::string& text) {
  const bool formula = !text.empty() && std::string("=+-@\t\r").find(text[0]) != std::string::npos;
  return formula ? "'" + text : text;
}

// The fixture rows the season must give, week by week, byes after matches.
test::Table expected_fixtures(const Season& s, int team = 0) {
  test::Table rows = {{"Week", "Date", "Day", "Time", "Home team", "Away team", "Venue", "Note"}};
  for (const auto& week : s.weeks) {
    const std::string date = week.date ? season::format_iso_date(*week.date) : "";
    const std::string day = week.date ? std::string(season::weekday_name(*week.date)) : "";
    const std::string time = s.calendar ? season::format_time(s.calendar->start) : "";
    for (const auto& m : week.matches) {
      if (team != 0 && m.home != team && m.away != team) continue;
      rows.push_back({std::to_string(week.number), date, day, time, cell(s.team(m.home).name),
                      cell(s.team(m.away).name), cell(s.venue(m).name), ""});
    }
    if (week.not_playing != 0 && (team == 0 || week.not_playing == team))
      rows.push_back({std::to_string(week.number), date, day, "", cell(s.team(week.not_playing).name), "", "",
                      "Not Playing"});
  }
  return rows;
}

TEST(FixturesCsv, HostileNamesReadBackByTheRules) {
  for (const Season& s :
       {test::five_hostile(), test::all_hostile(), test::all_hostile(false), test::four_teams()}) {
    const Output out = fixtures_csv(s);
    ASSERT_EQ(out.result, Result::Ok);
    ASSERT_EQ(out.bytes.substr(0, 3), "\xEF\xBB\xBF") << "byte-order mark";
    const auto table = test::parse_csv(out.bytes.substr(3));
    ASSERT_TRUE(table) << "not RFC 4180:\n" << out.bytes;
    EXPECT_EQ(*table, expected_fixtures(s));
  }
  // Spot checks against the worked season: a Christmas break moves week 4 to 2025-01-07.
  const auto table = test::parse_csv(fixtures_csv(test::five_hostile()).bytes.substr(3));
  ASSERT_TRUE(table);
  EXPECT_EQ((*table)[1][1], "2024-12-03");
  EXPECT_EQ((*table)[1][2], "Tuesday");
  EXPECT_EQ((*table)[1][3], "20:00");
  EXPECT_EQ((*table)[10][1], "2025-01-07");
  EXPECT_EQ((*table)[10][0], "4");
  EXPECT_EQ((*table)[3][7], "Not Playing");
  EXPECT_EQ((*table)[3][3], "") << "a bye has no start time";
}

TEST(FixturesCsv, OneTeamGetsItsMatchesAndByes) {
  const Season s = test::five_hostile();
  for (int team = 1; team <= 5; ++team) {
    const auto table = test::parse_csv(fixtures_csv(s, test::for_team(team)).bytes.substr(3));
    ASSERT_TRUE(table);
    EXPECT_EQ(*table, expected_fixtures(s, team));
    EXPECT_EQ(table->size(), 11u) << "header and one row a week";
  }
}

TEST(FixturesCsv, QuotingAndFormulaCellsExactly) {
  struct Case {
    std::string name;
    std::string field;  // as it stands in the file
  };
  const std::vector<Case> cases = {
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
  for (const Case& c : cases) {
    const Season s = test::make_season({c.name, "B"}, {"Hall"}, "T", std::nullopt, 1);
    const std::string bytes = fixtures_csv(s).bytes;
    const std::string header = "\xEF\xBB\xBFWeek,Date,Day,Time,Home team,Away team,Venue,Note\r\n";
    ASSERT_EQ(bytes.substr(0, header.size()), header);
    const std::string row = bytes.substr(header.size());
    const bool first = s.weeks[0].matches[0].home == 1;
    EXPECT_EQ(row, first ? "1,,,," + c.field + ",B,Hall,\r\n" : "1,,,,B," + c.field + ",Hall,\r\n")
        << "name: " << c.name;
  }
}

TEST(UploadCsv, HeaderRowsAndDatesForTheWebsite) {
  const Season s = test::all_hostile();
  const Output out = upload_csv(s);
  ASSERT_EQ(out.result, Result::Ok);
  const std::string header =
      "Date dd/mm/yyyy,Time HH:MM,Division,Home Team,Away Team,Venue,Pitch,Home Score,Away Score\r\n";
  ASSERT_EQ(out.bytes.substr(0, header.size()), header) << "exact header, no byte-order mark";
  const auto table = test::parse_csv(out.bytes);
  ASSERT_TRUE(table);
  test::Table expected;
  for (const auto& week : s.weeks) {
    const std::string iso = season::format_iso_date(*week.date);
    const std::string dmy = iso.substr(8, 2) + "/" + iso.substr(5, 2) + "/" + iso.substr(0, 4);
    for (const auto& m : week.matches)
      expected.push_back({dmy, "19:30", s.title, cell(s.team(m.home).name), cell(s.team(m.away).name),
                          cell(s.venue(m).name), "", "", ""});
  }
  EXPECT_EQ(std::vector(table->begin() + 1, table->end()), expected);
  EXPECT_EQ((*table)[1][0], "25/03/2025");
  EXPECT_EQ((*table)[9][0], "01/04/2025") << "week 2 (eight matches a week)";
}

}  // namespace
}  // namespace quintora::publish
