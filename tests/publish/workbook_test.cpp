#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "publish/publish.h"
#include "readers.h"
#include "season_builder.h"

namespace quintora::publish {
namespace {

using season::Season;

TEST(Workbook, FixturesAndTeamSheetsWithRealDatesAFrozenHeaderAndAFilter) {
  for (const Season& s : {test::hostile(), test::hostile(false)}) {
    const Output out = workbook(s);
    ASSERT_EQ(out.result, Result::Ok);
    const test::Scratch scratch;
    const test::Workbook book(scratch.write("season.xlsx", out.bytes));
    ASSERT_EQ(book.sheet_names.size(), s.teams.size() + 1);
    EXPECT_EQ(book.sheet_names[0], "Fixtures");
    const test::Sheet fixtures = book.sheet(1);
    EXPECT_EQ(fixtures.rows, test::fixture_rows(s));
    for (int team = 1; team <= 5; ++team) EXPECT_EQ(book.sheet(1 + team).rows, test::team_rows(s, team));
    EXPECT_EQ(fixtures.format.count("B2") + fixtures.format.count("D2"), s.calendar ? 2u : 0u)
        << "a date and a time a spreadsheet can sort and count with";
    EXPECT_NE(fixtures.xml.find("<pane ySplit=\"1\" topLeftCell=\"A2\" activePane=\"bottomLeft\" "
                                "state=\"frozen\"/>"),
              std::string::npos);
    const auto rows = std::to_string(test::fixture_rows(s).size());
    EXPECT_NE(fixtures.xml.find("<autoFilter ref=\"A1:H" + rows + "\"/>"), std::string::npos) << fixtures.xml;
    EXPECT_NE(book.sheet(2).xml.find("state=\"frozen\""), std::string::npos);
  }
}

TEST(Workbook, SheetNamesExcelAccepts) {
  // Excel reads _x0041_ as "A"; the length counts UTF-16 units.
  // clang-format off
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Fixtures", "Fixtures (2)"}, {"fixtures", "fixtures (3)"}, {"A/B:C*D?E[F]G\\H", "A_B_C_D_E_F_G_H"},
      {"'Quoted'", "Quoted"}, {std::string(40, 'x'), std::string(31, 'x')},
      {std::string(40, 'X'), std::string(27, 'X') + " (2)"},
      {std::string(29, 'y') + "\U0001F600\U0001F600", std::string(29, 'y') + "\U0001F600"},
      {"History", "History (2)"}, {"''", "Team 9"}, {"Tab\tand\nnewline", "Tab_and_newline"},
      {"Under_x0041_score", "Under-x0041_score"}};
  // clang-format on
  std::vector<std::string> names, sheets = {"Fixtures"};
  for (const auto& [name, sheet] : cases) {
    names.push_back(name);
    sheets.push_back(sheet);
  }
  const Season s = test::make_season(names, {"Hall"}, "T", std::nullopt, 1);
  const test::Scratch scratch;
  const test::Workbook book(scratch.write("names.xlsx", workbook(s).bytes));
  EXPECT_EQ(book.sheet_names, sheets);
  EXPECT_EQ(book.sheet(1).rows, test::fixture_rows(s)) << "cell text keeps _x0041_ as it stands";
}

// Control characters in the title and the names leave every part of the file
// well-formed XML, and every reference quotes its sheet's name, so a name that
// looks like a cell stays a name.
TEST(Workbook, WellFormedWithControlsAndReferencesQuoteEverySheetName) {
  const Season s = test::make_season({"A1", "R1C1", "XFD1048576", "Esc\x1B\xC2\x9B", "It's"}, {"Hall\x01"},
                                     "Title \x01\x1B\x7F\xC2\x85", std::nullopt, 1);
  const test::Scratch scratch;
  const auto file = scratch.write("controls.xlsx", workbook(s).bytes);
  const std::string parts = test::run("unzip -Z1", file);
  ASSERT_NE(parts.find("docProps/core.xml"), std::string::npos);
  std::istringstream lines(parts);
  for (std::string part; std::getline(lines, part);) {
    if (!part.ends_with(".xml") && !part.ends_with(".rels")) continue;
    if (part.front() == '[') part.replace(0, 1, "[[]");  // unzip reads [ as a pattern
    EXPECT_EQ(test::run("unzip -p", file, "'" + part + "' | xmllint --noout - 2>/dev/null && echo ok"),
              "ok\n")
        << part;
  }
  const std::string book = test::Workbook(file).part("xl/workbook.xml");
  const std::regex reference("<definedName[^>]*>([^<]*)</definedName>");
  std::vector<std::string> references;
  for (std::sregex_iterator it(book.begin(), book.end(), reference), end; it != end; ++it)
    references.push_back((*it)[1].str());
  ASSERT_EQ(references.size(), s.teams.size() + 1) << book;
  for (const std::string& r : references) EXPECT_EQ(r.front(), '\'') << r;
  EXPECT_NE(book.find("'A1'!$A$1:$F$"), std::string::npos) << book;
  EXPECT_NE(book.find("'It''s'!$A$1"), std::string::npos) << book;
}

}  // namespace
}  // namespace quintora::publish
