#include "publish/publish.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "season_builder.h"

namespace quintora::publish {
namespace {

using season::Season;

TEST(Publish, EachWriterRefusesWhatItCannotWriteAndWritesNothing) {
  const std::vector<std::pair<Format, std::function<Output(const Season&, const Options&)>>> writers = {
      {Format::FixturesCsv, [](const Season& s, const Options& o) { return fixtures_csv(s, o); }},
      {Format::UploadCsv, [](const Season& s, const Options&) { return upload_csv(s); }},
      {Format::ICalendar, [](const Season& s, const Options& o) { return icalendar(s, o); }},
      {Format::Workbook, [](const Season& s, const Options& o) { return workbook(s, o); }},
      {Format::Html, [](const Season& s, const Options& o) { return printable_html(s, o); }},
  };
  Season broken = test::four_teams();
  broken.weeks[1].matches[0].away = 9;
  const Season empty = test::make_season({"Solo"}, {"Bar"}, "", test::calendar({2025, 1, 7}), 0);
  for (const auto& [format, write] : writers) {
    const FormatInfo& info = *std::find_if(formats().begin(), formats().end(),
                                           [&](const FormatInfo& i) { return i.format == format; });
    SCOPED_TRACE(std::string(info.name));
    EXPECT_EQ(find_format(info.name), &info);
    const Output plain = write(test::four_teams(false), {});
    EXPECT_EQ(plain.result, info.needs_calendar ? Result::NeedsCalendar : Result::Ok);
    EXPECT_EQ(plain.bytes.empty(), info.needs_calendar);
    const Output bad = write(broken, {});
    EXPECT_EQ(bad.result, Result::BadSeason);
    EXPECT_TRUE(bad.bytes.empty());
    for (int team : {-1, 0, 4, 5}) {
      const Result expected = info.per_team && (team < 0 || team > 4) ? Result::UnknownTeam : Result::Ok;
      EXPECT_EQ(write(test::four_teams(), test::for_team(team)).result, expected) << team;
    }
    const Output nothing = write(empty, {});  // no weeks at all still makes a file
    EXPECT_EQ(nothing.result, Result::Ok);
    EXPECT_FALSE(nothing.bytes.empty());
  }
  EXPECT_EQ(formats().size(), 6u);
  EXPECT_EQ(find_format("ICS"), nullptr);
  EXPECT_EQ(message(Result::UnknownTeam, test::for_team(7)), "There is no team number 7 in this league.");
}

}  // namespace
}  // namespace quintora::publish
