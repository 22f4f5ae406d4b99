#include "publish/publish.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

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
      [](Season& s) { s.calendar->start.minute = 60; }};
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

}  // namespace
}  // namespace quintora::publish
