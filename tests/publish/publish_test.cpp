#include "publish/publish.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "season_builder.h"

namespace quintora::publish {
namespace {

using season::Season;

const std::vector<std::pair<Format, std::function<Output(const Season&, const Options&)>>> writers = {
    {Format::FixturesCsv, [](const Season& s, const Options& o) { return fixtures_csv(s, o); }},
    {Format::UploadCsv, [](const Season& s, const Options&) { return upload_csv(s); }},
    {Format::ICalendar, [](const Season& s, const Options& o) { return icalendar(s, o); }},
    {Format::Workbook, [](const Season& s, const Options& o) { return workbook(s, o); }},
    {Format::Html, [](const Season& s, const Options& o) { return printable_html(s, o); }},
};

const FormatInfo& info(Format format) {
  for (const FormatInfo& i : formats()) {
    if (i.format == format) return i;
  }
  throw std::logic_error("format missing from the table");
}

TEST(Publish, EachWriterRefusesWhatItCannotWriteAndWritesNothing) {
  Season broken = test::four_teams();
  broken.weeks[1].matches[0].away = 9;
  for (const auto& [format, write] : writers) {
    const FormatInfo& i = info(format);
    SCOPED_TRACE(std::string(i.name));
    const Output plain = write(test::four_teams(false), {});
    EXPECT_EQ(plain.result, i.needs_calendar ? Result::NeedsCalendar : Result::Ok);
    EXPECT_EQ(plain.bytes.empty(), i.needs_calendar);
    EXPECT_EQ(write(broken, {}).result, Result::BadSeason);
    EXPECT_TRUE(write(broken, {}).bytes.empty());
    if (i.per_team) {
      EXPECT_EQ(write(test::four_teams(), test::for_team(5)).result, Result::UnknownTeam);
      EXPECT_EQ(write(test::four_teams(), test::for_team(-1)).result, Result::UnknownTeam);
      EXPECT_EQ(write(test::four_teams(), test::for_team(4)).result, Result::Ok);
    }
    EXPECT_EQ(write(test::four_teams(), {}).result, Result::Ok);
  }
  EXPECT_EQ(message(Result::UnknownTeam, test::for_team(7)), "There is no team number 7 in this league.");
}

TEST(Publish, FormatTableNamesEveryFormatOnce) {
  ASSERT_EQ(formats().size(), 6u);
  for (const FormatInfo& i : formats()) {
    EXPECT_EQ(find_format(i.name), &i);
    EXPECT_EQ(i.extension[0], '.');
    std::string pattern = "*";
    pattern += i.extension;
    EXPECT_NE(i.description.find(pattern), std::string_view::npos);
    EXPECT_FALSE(message(Result::NeedsCalendar).empty());
  }
  EXPECT_EQ(find_format("ics")->format, Format::ICalendar);
  EXPECT_EQ(find_format("text"), nullptr) << "the schedule writer's own formats are not here";
  EXPECT_EQ(find_format("ICS"), nullptr);
}

TEST(Publish, EmptySeasonsStillMakeFiles) {
  const Season none = test::make_season({"Solo"}, {"Bar"}, "", test::calendar({2025, 1, 7}), 0);
  for (const auto& [format, write] : writers) {
    const Output out = write(none, {});
    EXPECT_EQ(out.result, Result::Ok) << info(format).name;
    EXPECT_FALSE(out.bytes.empty()) << info(format).name;
  }
  EXPECT_EQ(fixtures_csv(none).bytes, "\xEF\xBB\xBFWeek,Date,Day,Time,Home team,Away team,Venue,Note\r\n");
}

}  // namespace
}  // namespace quintora::publish
