#include <gtest/gtest.h>
#include <libical/ical.h>

#include <algorithm>
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

struct Freer {
  void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Parsed = std::unique_ptr<icalcomponent, Freer>;

// iCalendar TEXT has no CR: a CR LF or lone CR in a name comes out as one line break.
std::string as_text(const std::string& name) {
  std::string out;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] != '\r') {
      out += name[i];
    } else if (i + 1 == name.size() || name[i + 1] != '\n') {
      out += '\n';
    }
  }
  return out;
}

struct Event {
  std::string uid, summary, location, description;
  icaltimetype start, stamp;
  int duration_seconds;
};

std::vector<Event> events_of(const std::string& text) {
  Parsed calendar(icalparser_parse_string(text.c_str()));
  std::vector<Event> events;
  if (!calendar) return events;
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
    const Output out = icalendar(s, test::made_at(stamp));
    ASSERT_EQ(out.result, Result::Ok);
    const std::vector<Event> events = events_of(out.bytes);
    std::size_t k = 0;
    std::set<std::string> uids;
    for (const auto& week : s.weeks) {
      for (const auto& m : week.matches) {
        ASSERT_LT(k, events.size());
        const Event& e = events[k++];
        EXPECT_EQ(e.summary, as_text(s.team(m.home).name) + " v " + as_text(s.team(m.away).name));
        EXPECT_EQ(e.location, as_text(s.venue(m).name));
        EXPECT_EQ(e.description, "Week " + std::to_string(week.number) + " of " + s.title);
        EXPECT_EQ(e.start.year, week.date->year);
        EXPECT_EQ(e.start.month, week.date->month);
        EXPECT_EQ(e.start.day, week.date->day);
        EXPECT_EQ(e.start.hour * 60 + e.start.minute, s.calendar->start.hour * 60 + s.calendar->start.minute);
        EXPECT_TRUE(e.start.zone == nullptr && !icaltime_is_utc(e.start))
            << "floating: local wall-clock time";
        EXPECT_EQ(icaltime_as_timet(e.stamp), 1700000000);
        EXPECT_TRUE(icaltime_is_utc(e.stamp));
        EXPECT_EQ(e.duration_seconds, 3 * 3600);
        EXPECT_TRUE(uids.insert(e.uid).second) << "unique UID " << e.uid;
        EXPECT_EQ(e.uid.substr(e.uid.size() - 9), "@quintora");
      }
    }
    EXPECT_EQ(k, events.size());
  }
}

TEST(ICalendar, RawLinesKeepTheRules) {
  const Output out = icalendar(test::all_hostile(), test::made_at(stamp));
  ASSERT_EQ(out.result, Result::Ok);
  const std::string& text = out.bytes;
  ASSERT_EQ(text.substr(0, 17), "BEGIN:VCALENDAR\r\n");
  ASSERT_EQ(text.substr(text.size() - 15), "END:VCALENDAR\r\n");
  const std::regex floating("DTSTART:2025\\d{4}T193000");  // no Z, no TZID
  for (std::size_t from = 0; from < text.size();) {
    const std::size_t end = text.find("\r\n", from);
    ASSERT_NE(end, std::string::npos);
    const std::string line = text.substr(from, end - from);
    from = end + 2;
    EXPECT_LE(line.size(), 75u) << line;
    EXPECT_EQ(line.find('\n'), std::string::npos) << "bare LF";
    EXPECT_EQ(line.find('\r'), std::string::npos) << "bare CR";
    // A folded line must not split a UTF-8 character: no line begins with a continuation byte.
    if (line.size() > 1 && line[0] == ' ') {
      EXPECT_NE(static_cast<unsigned char>(line[1]) & 0xC0, 0x80) << line;
    }
    if (line.rfind("DTSTART", 0) == 0) {
      EXPECT_TRUE(std::regex_match(line, floating)) << line;
    }
  }
  EXPECT_NE(text.find("\r\nDTSTART:20250325T193000\r\n"), std::string::npos);
  EXPECT_EQ(text.find("TZID"), std::string::npos);
  EXPECT_NE(text.find("\r\nVERSION:2.0\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nPRODID:-//Quintora//Quintora "), std::string::npos);
  EXPECT_NE(text.find("\r\nMETHOD:PUBLISH\r\n"), std::string::npos);
  EXPECT_NE(text.find("DTSTAMP:20231114T221320Z\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nSUMMARY:Comma\\, Club v "), std::string::npos) << "escaped by libical";
}

TEST(ICalendar, UidsStayWhenExportedAgain) {
  const Season s = test::five_hostile();
  const auto first = events_of(icalendar(s, test::made_at(stamp)).bytes);
  const auto later = events_of(icalendar(s, test::made_at(stamp + std::chrono::hours(24 * 30))).bytes);
  ASSERT_EQ(first.size(), later.size());
  for (std::size_t k = 0; k < first.size(); ++k) EXPECT_EQ(first[k].uid, later[k].uid);
  // The same match in a team's own calendar is the same event.
  const auto own = events_of(icalendar(s, test::made_at(stamp, 2)).bytes);
  ASSERT_EQ(own.size(), 8u) << "ten weeks, two of them byes";
  for (const Event& e : own) {
    EXPECT_NE(e.summary.find(s.team(2).name), std::string::npos) << e.summary;
    const auto same =
        std::find_if(first.begin(), first.end(), [&](const Event& f) { return f.uid == e.uid; });
    ASSERT_NE(same, first.end()) << e.uid;
    EXPECT_EQ(same->summary, e.summary);
    EXPECT_EQ(icaltime_compare(same->start, e.start), 0);
  }
  // Another season title or week gives other UIDs.
  Season renamed = s;
  renamed.title += " II";
  EXPECT_NE(events_of(icalendar(renamed, test::made_at(stamp)).bytes)[0].uid, first[0].uid);
}

}  // namespace
}  // namespace quintora::publish
