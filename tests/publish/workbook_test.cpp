#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "base/text.h"
#include "exports.h"
#include "publish/publish.h"

namespace quintora::publish {
namespace {

using season::Season;

// The fixtures (a sheet per division where the league has divisions), a
// sheet per team with whose it is above its table, and the venues'.
TEST(Workbook, FixturesAndTeamSheetsWithRealDatesAFrozenHeaderAndAFilter) {
  for (const Season& s : {test::hostile(), test::hostile(false), test::divided()}) {
    const test::Workbook book = test::read_workbook(workbook(s).bytes);
    const bool venues = s.bars[0].phone.size() > 0;
    const std::size_t lists = std::max<std::size_t>(1, s.divisions.size());
    ASSERT_EQ(book.sheets.size(), lists + s.teams.size() + (venues ? 1 : 0));
    for (std::size_t d = 0; d < lists; ++d) {
      test::Rows fixtures =
          test::fixture_rows(lists > 1 ? season::only_division(s, static_cast<int>(d + 1)) : s);
      for (auto& row : fixtures)
        if (venues) row.erase(row.begin() + 7);  // the addresses are on the venues' sheet
      EXPECT_EQ(book.names[d], lists > 1 ? s.divisions[d] : "Fixtures");
      EXPECT_EQ(book.sheets[d], fixtures) << "dates and times a spreadsheet can sort and count with";
    }
    for (std::size_t t = 1; t <= 5; ++t) {  // whose sheet it is, above the table
      test::Rows rows = test::team_rows(s, static_cast<int>(t));
      rows.insert(rows.begin(), {{s.teams[t - 1].name, "", "", "", "", ""}, {s.title, "", "", "", "", ""}});
      EXPECT_EQ(book.sheets[lists - 1 + t], rows);
    }
    EXPECT_NE(book.sheet_xml[0].find(
                  "<pane ySplit=\"1\" topLeftCell=\"A2\" activePane=\"bottomLeft\" state=\"frozen\"/>"),
              std::string::npos);
    EXPECT_NE(book.sheet_xml[lists + 4].find(
                  "<pane ySplit=\"3\" topLeftCell=\"A4\" activePane=\"bottomLeft\" state=\"frozen\"/>"),
              std::string::npos);
    const auto rows = std::to_string(test::fixture_rows(s).size());
    EXPECT_TRUE(lists > 1 ||
                book.sheet_xml[0].find("<autoFilter ref=\"A1:H" + rows + "\"/>") != std::string::npos);
    if (venues) {  // each venue once, at the end, the third with the calendar's time
      EXPECT_EQ(book.names.back(), "Venues");
      EXPECT_EQ(book.sheets.back(), (test::Rows{{"Venue", "Address", "Phone", "Start time"},
                                                {s.bars[0].name, s.bars[0].address, s.bars[0].phone, "19:30"},
                                                {s.bars[1].name, s.bars[1].address, "", "20:15"},
                                                {s.bars[2].name, "", "", "19:30"}}));
    }
  }
}

// Sheet names Excel accepts (the length counted in UTF-16 units, _x0041_ read
// as "A"), every part well-formed XML with control characters in the title and
// the names, and every reference quoting its sheet's name, so that a name that
// looks like a cell stays a name.
TEST(Workbook, SheetNamesControlCharactersAndReferences) {
  // clang-format off
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Fixtures", "Fixtures (2)"}, {"fixtures", "fixtures (3)"}, {"A/B:C*D?E[F]G\\H", "A_B_C_D_E_F_G_H"},
      {"'Quoted'", "Quoted"}, {std::string(40, 'x'), std::string(31, 'x')}, {"History", "History (2)"},
      {std::string(40, 'X'), std::string(27, 'X') + " (2)"}, {"A1", "A1"}, {"''", "Team 9"}, {"It's", "It's"},
      {std::string(29, 'y') + "\U0001F600\U0001F600", std::string(29, 'y') + "\U0001F600"},
      {"Tab\tand\nnewline", "Tab_and_newline"}, {"Under_x0041_score", "Under-x0041_score"},
      {"Esc\x1B\xC2\x9B", "Esc_\uFFFD"}};
  // clang-format on
  std::vector<std::string> names, sheets = {"Fixtures"};
  for (const auto& [name, sheet] : cases) {
    names.push_back(name);
    sheets.push_back(sheet);
  }
  const Season s = test::make_season(names, {"Hall\x01"}, "Title \x01\x1B\x7F\xC2\x85", std::nullopt, 1);
  const std::string bytes = workbook(s).bytes;
  const test::Workbook book = test::read_workbook(bytes);
  ASSERT_EQ(book.names, sheets);
  test::Rows fixtures = test::fixture_rows(s);
  for (auto& row : fixtures)
    for (std::string& cell : row) cell = base::without_control_characters(cell, "\t\n\r");
  EXPECT_EQ(book.sheets[0], fixtures) << "cell text keeps _x0041_ as it stands";

  const std::string parts = test::run("unzip -Z1", bytes);
  ASSERT_NE(parts.find("docProps/core.xml"), std::string::npos) << parts;
  std::istringstream lines(parts);
  for (std::string part; std::getline(lines, part);) {
    if (part.front() == '[') part.replace(0, 1, "[[]");  // unzip reads [ as a pattern
    EXPECT_EQ(test::run("unzip -p", bytes, "'" + part + "' | xmllint --noout - 2>/dev/null && echo ok"),
              "ok\n")
        << part;
  }
  const test::Rows references = test::matches(book.xml, "<definedName[^>]*>([^<]*)</definedName>");
  ASSERT_EQ(references.size(), s.teams.size() + 1) << book.xml;
  for (const auto& r : references) EXPECT_EQ(r[0].front(), '\'') << r[0];
  EXPECT_NE(book.xml.find("'A1'!$A$3:$F$"), std::string::npos) << book.xml;
  EXPECT_NE(book.xml.find("'It''s'!$A$3"), std::string::npos) << book.xml;
}

}  // namespace
}  // namespace quintora::publish
