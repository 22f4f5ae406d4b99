// The writers' refusals, and the plain formats: the CSV files read back by
// an RFC 4180 parser, the printable page's words in its HTML.

#include "publish/publish.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/spreadsheet_text.h"
#include "exports.h"
#include "season/season.h"

namespace quintora::publish {
namespace {

using season::Season;

TEST(Publish, EachWriterRefusesWhatItCannotWriteAndWritesNothing) {
  // Seasons that are not consistent (season::is_consistent), so no writer reads outside their tables.
  // clang-format off
  const std::vector<std::function<void(Season&)>> breaks = {
      [](Season& s) { s.teams[0].bar = 0; }, [](Season& s) { s.teams[0].bar = 4; },
      [](Season& s) { s.weeks[2].matches[0].home = 6; }, [](Season& s) { s.weeks[2].matches[0].away = -1; },
      [](Season& s) { s.weeks[2].matches[0].away = s.weeks[2].matches[0].home; },
      [](Season& s) { s.weeks[2].not_playing = {6}; }, [](Season& s) { s.weeks[2].date.reset(); },
      [](Season& s) { s.weeks[2].date = base::Date{2025, 2, 29}; },
      [](Season& s) { s.calendar->start.minute = 60; }, [](Season& s) { s.bars[1].start = {{24, 0}}; }};
  // clang-format on
  const Season empty = test::make_season({"Solo"}, {"Bar"}, "", test::calendar({2025, 1, 7}), 0);
  for (const FormatInfo& info : formats()) {
    if (info.format == Format::Pdf) continue;  // in test_publish_pdf
    SCOPED_TRACE(std::string(info.name));
    // The result, and whether the file is empty.
    const auto made = [&](const Season& s, int team = 0) {
      const Output out = render(s, info.format, test::for_team(team));
      return std::pair(out.result, out.bytes.empty());
    };
    const bool refused = info.needs_calendar;
    EXPECT_EQ(made(test::hostile(false)), std::pair(refused ? Result::NeedsCalendar : Result::Ok, refused));
    const bool ics = info.format == Format::ICalendar;
    EXPECT_EQ(made(empty), std::pair(ics ? Result::NoMatches : Result::Ok, ics))
        << "no weeks at all still makes a file, but for a calendar";
    for (std::size_t i = 0; i < breaks.size(); ++i) {
      Season broken = test::hostile();
      breaks[i](broken);
      EXPECT_EQ(made(broken), std::pair(Result::BadSeason, true)) << "change " << i;
    }
    // A date past what the format holds is named as such, not as a broken season.
    Season late = test::hostile();
    late.weeks.back().date = base::Date{3001, 1, 1};
    EXPECT_EQ(made(late), std::pair(ics ? Result::DateTooLate : Result::Ok, ics));
    late.weeks.back().date = base::Date{10000, 1, 1};
    EXPECT_EQ(made(late), std::pair(Result::DateTooLate, true));
    for (int team : {-1, 0, 5, 6}) {
      const Result expected = info.per_team && (team < 0 || team > 5) ? Result::UnknownTeam : Result::Ok;
      EXPECT_EQ(made(test::hostile(), team).first, expected) << team;
    }
  }
  EXPECT_EQ(message(Result::UnknownTeam, test::for_team(7)), "There is no team number 7 in this league.");
}

// The rows as the file stores them: a formula gets an apostrophe.
test::Rows guarded(test::Rows rows) {
  for (auto& row : rows)
    for (std::string& field : row) field = base::without_formulas(field, base::Cells::Whole);
  return rows;
}

TEST(PlainFormats, TheCsvFilesAndThePrintablePageReadBackByTheirRules) {
  for (const Season& s : {test::hostile(), test::hostile(false), test::divided(), test::divided(false)}) {
    for (int team : {0, 1, 3, 5}) {
      const std::string bytes = fixtures_csv(s, test::for_team(team)).bytes;
      // After the byte-order mark (three bytes: without it the header would not match).
      EXPECT_EQ(test::parse_csv(bytes.substr(3)), guarded(test::fixture_rows(s, team))) << bytes;
      const std::string html = printable_html(s, test::for_team(team)).bytes;
      EXPECT_TRUE(html.starts_with("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">"));
      test::Words expected = test::printed(s, team), got;
      expected.insert(expected.begin(), {"title", s.title});
      for (const auto& m : test::matches(html, "<(title|h[123]|p|th|td)(?: [^>]*)?>([^<]*)</\\1>"))
        got.push_back({m[0], test::xml_text(m[1])});
      EXPECT_EQ(got, expected);
      EXPECT_EQ(test::matches(html, "<h2 class=\"team\">").size(), team == 0 ? 5u : 0u)
          << "each team's page, not the one team's, starts on a new page";
    }
  }
  const std::string html =
      printable_html(test::make_season({"\"Q\" \x01", "B"}, {"Bar"}, "T", std::nullopt, 1)).bytes;
  EXPECT_NE(html.find("&quot;Q&quot; \uFFFD"), std::string::npos) << "a control character is replaced";
  // A row per match of the fixture list, the date day first; where the league
  // has divisions, each match's Division is its host's.
  const Season d = test::divided();
  const std::optional<test::Rows> upload = test::parse_csv(upload_csv(d).bytes);
  ASSERT_TRUE(upload);
  test::Rows expected = {upload->front()};  // the header, exactly below
  for (const auto& row : test::fixture_rows(d))
    if (!row[5].empty() && row[0] != "Week")
      expected.push_back({row[1].substr(8) + "/" + row[1].substr(5, 2) + "/" + row[1].substr(0, 4), row[3],
                          row[9], row[4], row[5], row[6], "", "", ""});
  EXPECT_EQ(*upload, guarded(expected));
  // The website's exact header (so no byte-order mark), a row per match, the date day first.
  const Season s = test::make_season({"=A", "B", "C"}, {"Hall"}, "=T;1", test::calendar({2025, 1, 7}), 1);
  EXPECT_EQ(upload_csv(s).bytes,
            "Date dd/mm/yyyy,Time HH:MM,Division,Home Team,Away Team,Venue,Pitch,Home Score,Away Score\r\n"
            "07/01/2025,20:00,\"'=T;1\",C,B,Hall,,,\r\n");
}

// The quoting (a quote doubled: the read-back above), and the formula guard
// where a field is quoted or split by a spreadsheet's list separator (every
// leading character: base's own test).
TEST(Csv, QuotingAndFormulaCellsExactly) {
  // clang-format off
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Plain", "Plain"}, {"x;=cmd|' /C calc'!A0;", "\"x;=cmd|' /C calc'!A0;\""}, {"a\tb", "\"a\tb\""},
      {"x,\"=1+1\"", "\"x,\"\"=1+1\"\"\""}, {"\"=1+1\"", "\"\"\"'=1+1\"\"\""}, {"=a,b", "\"'=a,b\""},
      {"a\rb", "\"a\rb\""}, {"a\nb", "\"a\nb\""}, {"bad \xFF byte", "bad \xEF\xBF\xBD byte"}};
  // clang-format on
  const std::string header = "\xEF\xBB\xBFWeek,Date,Day,Time,Home team,Away team,Venue,Note\r\n";
  for (const auto& [name, field] : cases) {
    const Season s = test::make_season({name, "B"}, {"Hall"}, "T", std::nullopt, 1);
    EXPECT_EQ(fixtures_csv(s).bytes, header + "1,,,," + field + ",B,Hall,\r\n") << name;
  }
}

}  // namespace
}  // namespace quintora::publish
