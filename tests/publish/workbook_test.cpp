#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include "publish/publish.h"
#include "readers.h"
#include "season_builder.h"

namespace quintora::publish {
namespace {

using season::Season;

// A sheet as a spreadsheet shows it: number cells in the yyyy-mm-dd format
// as dates (day 0 is 1899-12-30), in hh:mm as times.
test::Table shown(const test::Workbook& book, int n, std::size_t columns) {
  std::smatch xfs;
  std::regex_search(book.styles, xfs, std::regex("<cellXfs count=\"\\d+\">(.*?)</cellXfs>"));
  const std::string list = xfs[1].str();
  const std::regex xf("<xf numFmtId=\"(\\d+)\"");
  std::vector<std::string> formats;  // each cell style's format code
  for (std::sregex_iterator it(list.begin(), list.end(), xf), end; it != end; ++it) {
    std::smatch code;
    const std::regex fmt("<numFmt numFmtId=\"" + (*it)[1].str() + "\" formatCode=\"([^\"]*)\"");
    formats.push_back(std::regex_search(book.styles, code, fmt) ? code[1].str() : "");
  }
  const test::Sheet sheet = book.sheet(n);
  test::Table rows;
  const auto ref_of = [](char column, int row) {
    std::string ref(1, column);  // "B3" for column B, row 3
    return ref += std::to_string(row);
  };
  for (int r = 1; sheet.value.count(ref_of('A', r)); ++r) {
    auto& row = rows.emplace_back();
    for (char c = 'A'; c < 'A' + static_cast<char>(columns); ++c) {
      const std::string ref = ref_of(c, r);
      std::string text = sheet.value.count(ref) ? sheet.value.at(ref) : "";
      const std::string format =
          sheet.style.count(ref) ? formats.at(static_cast<std::size_t>(sheet.style.at(ref))) : "";
      if (format == "yyyy-mm-dd")
        text = base::format_iso_date(base::civil_from_days(std::stoll(text) - 25569));
      if (format == "hh:mm") {
        const int minutes = static_cast<int>(std::lround(std::stod(text) * 1440));
        text = base::format_time({minutes / 60, minutes % 60});
      }
      row.push_back(text);
    }
  }
  return rows;
}

TEST(Workbook, FixturesAndTeamSheetsWithRealDatesAFrozenHeaderAndAFilter) {
  for (const Season& s : {test::hostile(), test::hostile(false)}) {
    const Output out = workbook(s);
    ASSERT_EQ(out.result, Result::Ok);
    const test::Scratch scratch;
    const test::Workbook book(scratch.write("season.xlsx", out.bytes));
    ASSERT_EQ(book.sheet_names.size(), s.teams.size() + 1);
    EXPECT_EQ(book.sheet_names[0], "Fixtures");
    EXPECT_EQ(shown(book, 1, 8), test::fixture_rows(s));
    for (int team = 1; team <= 5; ++team) EXPECT_EQ(shown(book, 1 + team, 6), test::team_rows(s, team));
    const test::Sheet fixtures = book.sheet(1);
    EXPECT_EQ(fixtures.style.count("B2") + fixtures.style.count("D2"), s.calendar ? 2u : 0u)
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
  EXPECT_EQ(shown(book, 1, 8), test::fixture_rows(s)) << "cell text keeps _x0041_ as it stands";
}

}  // namespace
}  // namespace quintora::publish
