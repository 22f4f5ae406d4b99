#include <gtest/gtest.h>
#include <libical/ical.h>

#include <memory>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "publish/publish.h"
#include "season_builder.h"

namespace quintora::publish {
namespace {

using season::Season;

constexpr auto stamp = std::chrono::sys_seconds(std::chrono::seconds(1700000000));  // 2023-11-14 22:13:20 UTC

// iCalendar TEXT has no CR: a CR LF or lone CR in a name comes back as one line break.
std::string as_text(const std::string& name) { return std::regex_replace(name, std::regex("\r\n?"), "\n"); }

struct Event {
  std::string uid, summary, location, description;
  icaltimetype start, stamp;
  int seconds;
};

// The events as libical's own parser reads them.
std::vector<Event> events_of(const std::string& text) {
  const std::unique_ptr<icalcomponent, void (*)(icalcomponent*)> calendar(
      icalparser_parse_string(text.c_str()), icalcomponent_free);
  std::vector<Event> events;
  for (icalcomponent* e = icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
       e != nullptr; e = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT)) {
    icalproperty* duration = icalcomponent_get_first_property(e, ICAL_DURATION_PROPERTY);
    events.push_back({icalcomponent_get_uid(e), icalcomponent_get_summary(e), icalcomponent_get_location(e),
                      icalcomponent_get_description(e), icalcomponent_get_dtstart(e),
                      icalcomponent_get_dtstamp(e),
                      duration ? icaldurationtype_as_int(icalproperty_get_duration(duration)) : -1});
  }
  return events;
}

TEST(ICalendar, EveryMatchIsAnEventThatLibicalReadsBack) {
  for (const Season& s : {test::five_hostile(), test::all_hostile()}) {
    const std::vector<Event> events = events_of(icalendar(s, test::made_at(stamp)).bytes);
    std::size_t k = 0;
    std::set<std::string> uids;
    for (const auto& week : s.weeks) {
      for (const auto& m : week.matches) {
        ASSERT_LT(k, events.size());
        const Event& e = events[k++];
        EXPECT_EQ(e.summary, as_text(s.team(m.home).name) + " v " + as_text(s.team(m.away).name));
        EXPECT_EQ(e.location, as_text(s.venue(m).name));
        EXPECT_EQ(e.description, "Week " + std::to_string(week.number) + " of " + s.title);
        const icaltimetype& t = e.start;
        EXPECT_EQ((base::Date{t.year, t.month, t.day}), *week.date);
        EXPECT_EQ((base::TimeOfDay{t.hour, t.minute}), s.calendar->start);
        EXPECT_TRUE(t.zone == nullptr && !icaltime_is_utc(t)) << "floating: the local wall-clock time";
        EXPECT_EQ(icaltime_as_timet(e.stamp), 1700000000);
        EXPECT_EQ(e.seconds, 3 * 3600);
        EXPECT_TRUE(uids.insert(e.uid).second) << "unique UID " << e.uid;
        EXPECT_TRUE(e.uid.ends_with("@quintora"));
      }
    }
    EXPECT_EQ(k, events.size());
  }
}

TEST(ICalendar, RawLinesKeepTheRules) {
  const std::string text = icalendar(test::all_hostile(), test::made_at(stamp)).bytes;
  ASSERT_TRUE(text.starts_with("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Quintora//Quintora "));
  ASSERT_TRUE(text.ends_with("END:VCALENDAR\r\n"));
  for (const char* line :
       {"\r\nMETHOD:PUBLISH\r\n", "\r\nDTSTAMP:20231114T221320Z\r\n", "\r\nDTSTART:20250325T193000\r\n",
        "\r\nDURATION:PT3H\r\n", "\r\nSUMMARY:Comma\\, Club v "})
    EXPECT_NE(text.find(line), std::string::npos) << line;
  EXPECT_EQ(text.find("TZID"), std::string::npos);
  const std::regex start("DTSTART:2025\\d{4}T193000");  // no Z, no zone
  for (std::size_t from = 0, end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2) {
    const std::string line = text.substr(from, end - from);
    EXPECT_LE(line.size(), 75u) << line;
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "a bare CR or LF";
    // A folded line must not split a UTF-8 character.
    EXPECT_FALSE(line.size() > 1 && line[0] == ' ' && (static_cast<unsigned char>(line[1]) & 0xC0) == 0x80)
        << line;
    EXPECT_TRUE(!line.starts_with("DTSTART") || std::regex_match(line, start)) << line;
  }
}

TEST(ICalendar, UidsStayWhenExportedAgainAndInATeamsOwnCalendar) {
  const Season s = test::five_hostile();
  const auto first = events_of(icalendar(s, test::made_at(stamp)).bytes);
  const auto later = events_of(icalendar(s, test::made_at(stamp + std::chrono::hours(24 * 30))).bytes);
  ASSERT_EQ(first.size(), later.size());
  for (std::size_t k = 0; k < first.size(); ++k) EXPECT_EQ(first[k].uid, later[k].uid);
  const auto own = events_of(icalendar(s, test::made_at(stamp, 2)).bytes);
  ASSERT_EQ(own.size(), 8u) << "ten weeks, two of them byes";
  for (const Event& e : own) {
    const auto same =
        std::find_if(first.begin(), first.end(), [&](const Event& f) { return f.uid == e.uid; });
    ASSERT_NE(same, first.end()) << e.uid;
    EXPECT_EQ(same->summary, e.summary);
    EXPECT_NE(e.summary.find(s.team(2).name), std::string::npos);
  }
  Season renamed = s;
  renamed.title += " II";
  EXPECT_NE(events_of(icalendar(renamed, test::made_at(stamp)).bytes)[0].uid, first[0].uid);
}

}  // namespace
}  // namespace quintora::publish
