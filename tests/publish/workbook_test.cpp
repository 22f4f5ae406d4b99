#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "publish/publish.h"
#include "readers.h"
#include "season_builder.h"

namespace quintora::publish {
namespace {

using season::Season;

// "B3" for column 1, row 3.
std::string ref(int column, int row) {
  std::string text(1, static_cast<char>('A' + column));
  text += std::to_string(row);
  return text;
}

// The number format (its format code) of a cell style, from the styles part.
std::string number_format(const test::Workbook& book, int style) {
  std::smatch xfs;
  if (!std::regex_search(book.styles, xfs, std::regex("<cellXfs count=\"\\d+\">(.*?)</cellXfs>"))) return "";
  const std::string list = xfs[1].str();
  const std::regex xf("<xf numFmtId=\"(\\d+)\"");
  auto it = std::sregex_iterator(list.begin(), list.end(), xf);
  for (int i = 0; i < style && it != std::sregex_iterator(); ++i) ++it;
  if (it == std::sregex_iterator()) return "";
  std::smatch code;
  const std::regex fmt("<numFmt numFmtId=\"" + (*it)[1].str() + "\" formatCode=\"([^\"]*)\"");
  return std::regex_search(book.styles, code, fmt) ? code[1].str() : "builtin " + (*it)[1].str();
}

// A date cell: the serial day (1899-12-30 is day 0) in the yyyy-mm-dd format.
void expect_date(const test::Workbook& book, const test::SheetCells& cells, const std::string& ref,
                 const season::Date& date) {
  ASSERT_TRUE(cells.value.count(ref)) << ref;
  EXPECT_EQ(cells.value.at(ref), std::to_string(season::days_from_civil(date) + 25569)) << ref;
  EXPECT_EQ(number_format(book, cells.style.at(ref)), "yyyy-mm-dd") << ref;
}

void expect_time(const test::Workbook& book, const test::SheetCells& cells, const std::string& ref,
                 const season::TimeOfDay& time) {
  ASSERT_TRUE(cells.value.count(ref)) << ref;
  EXPECT_NEAR(std::stod(cells.value.at(ref)), (time.hour * 60 + time.minute) / 1440.0, 1e-12) << ref;
  EXPECT_EQ(number_format(book, cells.style.at(ref)), "hh:mm") << ref;
}

// Text cells; an empty expectation means no cell at all.
void expect_texts(const test::SheetCells& cells, int row,
                  const std::vector<std::pair<int, std::string>>& texts) {
  for (const auto& [c, text] : texts) {
    const std::string at = ref(c, row);
    if (text.empty())
      EXPECT_EQ(cells.value.count(at), 0u) << at;
    else
      EXPECT_EQ(cells.value.count(at) ? cells.value.at(at) : "<none>", text) << at;
  }
}

TEST(Workbook, FixturesSheetAndATeamSheetEachReadBackFromTheXml) {
  for (const Season& s : {test::five_hostile(), test::all_hostile()}) {
    const Output out = workbook(s);
    ASSERT_EQ(out.result, Result::Ok);
    const test::Scratch scratch;
    const test::Workbook book(scratch.write("season.xlsx", out.bytes));
    ASSERT_EQ(book.sheet_names.size(), s.teams.size() + 1);
    EXPECT_EQ(book.sheet_names[0], "Fixtures");

    const test::SheetCells fixtures = book.sheet(1);
    expect_texts(fixtures, 1,
                 {{0, "Week"},
                  {1, "Date"},
                  {2, "Day"},
                  {3, "Time"},
                  {4, "Home team"},
                  {5, "Away team"},
                  {6, "Venue"},
                  {7, "Note"}});
    int row = 1;
    for (const auto& week : s.weeks) {
      for (const auto& m : week.matches) {
        ++row;
        EXPECT_EQ(fixtures.value.at(ref(0, row)), std::to_string(week.number));
        expect_date(book, fixtures, ref(1, row), *week.date);
        expect_time(book, fixtures, ref(3, row), s.calendar->start);
        expect_texts(fixtures, row,
                     {{2, std::string(season::weekday_name(*week.date))},
                      {4, s.team(m.home).name},
                      {5, s.team(m.away).name},
                      {6, s.venue(m).name},
                      {7, ""}});
      }
      if (week.not_playing != 0) {
        expect_date(book, fixtures, ref(1, ++row), *week.date);
        expect_texts(fixtures, row,
                     {{3, ""}, {4, s.team(week.not_playing).name}, {5, ""}, {7, "Not Playing"}});
      }
    }
    EXPECT_EQ(fixtures.value.count(ref(0, row + 1)), 0u);
    EXPECT_NE(fixtures.xml.find(
                  "<pane ySplit=\"1\" topLeftCell=\"A2\" activePane=\"bottomLeft\" state=\"frozen\"/>"),
              std::string::npos);
    EXPECT_NE(fixtures.xml.find("<autoFilter ref=\"A1:H" + std::to_string(row) + "\"/>"), std::string::npos);

    for (int team : {1, 2}) {
      const test::SheetCells own = book.sheet(1 + team);
      expect_texts(
          own, 1,
          {{0, "Week"}, {1, "Date"}, {2, "Time"}, {3, "Opponent"}, {4, "Home or away"}, {5, "Venue"}});
      int r = 1;
      for (const auto& week : s.weeks) {
        for (const auto& m : week.matches) {
          if (m.home != team && m.away != team) continue;
          ++r;
          expect_date(book, own, ref(1, r), *week.date);
          expect_texts(own, r,
                       {{3, s.team(m.home == team ? m.away : m.home).name},
                        {4, m.home == team ? "Home" : "Away"},
                        {5, s.venue(m).name}});
        }
        if (week.not_playing == team) expect_texts(own, ++r, {{3, ""}, {4, "Not Playing"}, {5, ""}});
      }
      EXPECT_NE(own.xml.find("state=\"frozen\""), std::string::npos);
      EXPECT_NE(own.xml.find("<autoFilter ref=\"A1:F" + std::to_string(r) + "\"/>"), std::string::npos);
    }
  }
}

TEST(Workbook, NoCalendarLeavesDatesOutAndOfficeEscapesStayLiteral) {
  const Season s = test::make_season({"Under_x0041_score", "Two"}, {"Hall"}, "T", std::nullopt, 2);
  const Output out = workbook(s);
  ASSERT_EQ(out.result, Result::Ok);
  const test::Scratch scratch;
  const test::Workbook book(scratch.write("plain.xlsx", out.bytes));
  const test::SheetCells cells = book.sheet(1);
  EXPECT_EQ(cells.value.count("B2") + cells.value.count("C2") + cells.value.count("D2"), 0u);
  EXPECT_TRUE(cells.value.at("E2") == "Under_x0041_score" || cells.value.at("F2") == "Under_x0041_score");
  EXPECT_EQ(book.sheet_names[1], "Under-x0041_score");
}

TEST(Workbook, SheetNamesExcelAccepts) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Fixtures", "Fixtures (2)"},
      {"fixtures", "fixtures (3)"},
      {"A/B:C*D?E[F]G\\H", "A_B_C_D_E_F_G_H"},
      {"'Quoted'", "Quoted"},
      {std::string(40, 'x'), std::string(31, 'x')},
      {std::string(40, 'X'), std::string(27, 'X') + " (2)"},
      {std::string(29, 'y') + "\U0001F600\U0001F600", std::string(29, 'y') + "\U0001F600"},
      {"History", "History (2)"},
      {"''", "Team 9"},
      {"Tab\tand\nnewline", "Tab_and_newline"},
      {"\u6771\u4eac", "\u6771\u4eac"},
  };
  std::vector<std::string> names;
  for (const auto& c : cases) names.push_back(c.first);
  const Output out = workbook(test::make_season(names, {"Hall"}, "T", std::nullopt, 1));
  ASSERT_EQ(out.result, Result::Ok);
  const test::Scratch scratch;
  const test::Workbook book(scratch.write("names.xlsx", out.bytes));
  ASSERT_EQ(book.sheet_names.size(), cases.size() + 1);
  for (std::size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(book.sheet_names[i + 1], cases[i].second);
}

}  // namespace
}  // namespace quintora::publish
