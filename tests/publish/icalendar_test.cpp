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

Options made_at(std::chrono::sys_seconds now, int team = 0) {
  Options options = test::for_team(team);
  options.now = now;
  return options;
}

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

// Each event's UID and summary.
std::vector<std::string> uids(const std::vector<Event>& events, const std::string& with = "") {
  std::vector<std::string> out;
  for (const Event& e : events)
    if (e.summary.find(with) != std::string::npos) out.push_back(e.uid + " " + e.summary);
  return out;
}

TEST(ICalendar, EveryMatchIsAFloatingEventWithAStableUid) {
  const Season s = test::hostile();
  const std::vector<Event> events = events_of(icalendar(s, made_at(stamp)).bytes);
  std::size_t k = 0;
  std::set<std::string> unique;
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
      EXPECT_TRUE(unique.insert(e.uid).second && e.uid.ends_with("@quintora")) << "a unique UID " << e.uid;
    }
  }
  EXPECT_EQ(k, events.size());
  // The same UIDs when exported again later, and in a team's own calendar; others for another season.
  EXPECT_EQ(uids(events_of(icalendar(s, made_at(stamp + std::chrono::hours(24 * 30))).bytes)), uids(events));
  const std::vector<std::string> own = uids(events_of(icalendar(s, made_at(stamp, 2)).bytes));
  EXPECT_EQ(own, uids(events, s.team(2).name));
  EXPECT_EQ(own.size(), 5u) << "six weeks, one of them a bye";
  Season renamed = s;
  renamed.title += " II";
  EXPECT_NE(uids(events_of(icalendar(renamed, made_at(stamp)).bytes)), uids(events));
}

TEST(ICalendar, RawLinesKeepTheRules) {
  const std::string text = icalendar(test::hostile(), made_at(stamp)).bytes;
  EXPECT_TRUE(text.starts_with("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Quintora//Quintora "));
  EXPECT_TRUE(text.ends_with("END:VCALENDAR\r\n"));
  EXPECT_NE(text.find("\r\nMETHOD:PUBLISH\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n "), std::string::npos) << "some line is long enough to fold";
  const std::regex start("DTSTART:20\\d{6}T193000");  // floating: no Z, no zone
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

}  // namespace
}  // namespace quintora::publish
