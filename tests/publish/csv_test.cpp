#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/spreadsheet_text.h"
#include "exports.h"
#include "publish/publish.h"

namespace quintora::publish {
namespace {

using season::Season;

// The rows as the file stores them: a formula gets an apostrophe.
test::Rows guarded(test::Rows rows) {
  for (auto& row : rows)
    for (std::string& field : row) field = base::without_formulas(field, base::Cells::Whole);
  return rows;
}

TEST(Csv, FixturesAndUploadReadBackByTheRules) {
  for (const Season& s : {test::hostile(), test::hostile(false), test::divided()}) {
    for (int team : {0, 1, 5}) {
      const std::string bytes = fixtures_csv(s, test::for_team(team)).bytes;
      EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBF")) << "byte-order mark";
      EXPECT_EQ(test::parse_csv(bytes.substr(3)), guarded(test::fixture_rows(s, team))) << bytes;
    }
  }
  // Where the league has divisions, each match's Division is its host's.
  const Season d = test::divided();
  const auto upload = test::parse_csv(upload_csv(d).bytes);
  ASSERT_TRUE(upload);
  for (std::size_t r = 1, w = 0; w < d.weeks.size(); ++w)
    for (const auto& m : d.weeks[w].matches) EXPECT_EQ((*upload)[r++][2], test::division_of(d, m.home));
  // The website's exact header (so no byte-order mark), a row per match, the date day first.
  const Season s = test::make_season({"=A", "B", "C"}, {"Hall"}, "=T;1", test::calendar({2025, 1, 7}), 1);
  EXPECT_EQ(upload_csv(s).bytes,
            "Date dd/mm/yyyy,Time HH:MM,Division,Home Team,Away Team,Venue,Pitch,Home Score,Away Score\r\n"
            "07/01/2025,20:00,\"'=T;1\",C,B,Hall,,,\r\n");
}

// The quoting, and the formula guard where a field is quoted or split by a
// spreadsheet's list separator (every leading character: base's own test).
TEST(Csv, QuotingAndFormulaCellsExactly) {
  // clang-format off
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Plain", "Plain"}, {" =b", " '=b"}, {"'Tis", "'Tis"}, {"semi;colon 100%", "\"semi;colon 100%\""},
      {"x;=cmd|' /C calc'!A0;", "\"x;=cmd|' /C calc'!A0;\""}, {"x,\"=1+1\"", "\"x,\"\"=1+1\"\"\""},
      {"\"=1+1\"", "\"\"\"'=1+1\"\"\""}, {"a\tb", "\"a\tb\""}, {"\tx", "\"'\tx\""}, {"=a,b", "\"'=a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""}, {"a\r\nb", "\"a\r\nb\""}, {"a\nb", "\"a\nb\""},
      {"bad \xFF byte", "bad \xEF\xBF\xBD byte"}};
  // clang-format on
  const std::string header = "\xEF\xBB\xBFWeek,Date,Day,Time,Home team,Away team,Venue,Note\r\n";
  for (const auto& [name, field] : cases) {
    const Season s = test::make_season({name, "B"}, {"Hall"}, "T", std::nullopt, 1);
    EXPECT_EQ(fixtures_csv(s).bytes, header + "1,,,," + field + ",B,Hall,\r\n") << name;
  }
}

}  // namespace
}  // namespace quintora::publish
