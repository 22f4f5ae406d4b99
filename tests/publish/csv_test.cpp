#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/spreadsheet_text.h"
#include "publish/publish.h"
#include "readers.h"
#include "season_builder.h"

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
  for (const Season& s : {test::hostile(), test::hostile(false)}) {
    for (int team : {0, 1, 5}) {
      const std::string bytes = fixtures_csv(s, test::for_team(team)).bytes;
      ASSERT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF") << "byte-order mark";
      EXPECT_EQ(test::parse_csv(bytes.substr(3)), guarded(test::fixture_rows(s, team))) << bytes;
    }
  }
  // The website's exact header (so no byte-order mark), a row per match, the date day first.
  const Season s = test::hostile();
  test::Rows upload = {{"Date dd/mm/yyyy", "Time HH:MM", "Division", "Home Team", "Away Team", "Venue",
                        "Pitch", "Home Score", "Away Score"}};
  for (const auto& row : test::fixture_rows(s)) {
    if (row[0] == "Week" || row[7] == "Not Playing") continue;
    const std::string dmy = row[1].substr(8, 2) + "/" + row[1].substr(5, 2) + "/" + row[1].substr(0, 4);
    upload.push_back({dmy, "19:30", s.title, row[4], row[5], row[6], "", "", ""});
  }
  EXPECT_EQ(test::parse_csv(upload_csv(s).bytes), guarded(upload));
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
