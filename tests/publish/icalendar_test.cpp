#include <gtest/gtest.h>
#include <libical/ical.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "publish/publish.h"
#include "season_builder.h"

namespace quintora::publish {
namespace {

using season::Season;
using Events = std::vector<std::pair<std::string, std::string>>;

constexpr auto stamp = std::chrono::sys_seconds(std::chrono::seconds(1700000000));  // 2023-11-14 22:13:20 UTC

std::string ics(const Season& s, int team = 0, std::chrono::sys_seconds now = stamp) {
  Options options = test::for_team(team);
  options.now = now;
  return icalendar(s, options).bytes;
}

// Each event as libical's own parser reads it: its UID, and the rest on one line.
Events events_of(const std::string& text) {
  const std::unique_ptr<icalcomponent, void (*)(icalcomponent*)> calendar(
      icalparser_parse_string(text.c_str()), icalcomponent_free);
  Events events;
  for (icalcomponent* e = icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
       e != nullptr; e = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT)) {
    const icaltimetype start = icalcomponent_get_dtstart(e);
    icalproperty* duration = icalcomponent_get_first_property(e, ICAL_DURATION_PROPERTY);
    events.emplace_back(icalcomponent_get_uid(e),
                        std::string(icalcomponent_get_summary(e)) + " | " + icalcomponent_get_location(e) +
                            " | " + icalcomponent_get_description(e) + " | " +
                            icaltime_as_ical_string(start) +
                            (start.zone == nullptr ? " floating | " : " zoned | ") +
                            (duration ? icaldurationtype_as_ical_string(icalproperty_get_duration(duration))
                                      : "no duration"));
  }
  return events;
}

TEST(ICalendar, FloatingEventsWithStableUidsInLinesThatKeepTheRules) {
  const Season s = test::hostile_with_venues();
  // iCalendar TEXT has no CR: a CR LF or lone CR in a name comes back as one line break.
  const auto text = [](const std::string& name) {
    return std::regex_replace(name, std::regex("\r\n?"), "\n");
  };
  std::vector<std::string> expected, got;
  for (const auto& week : s.weeks) {
    for (const auto& m : week.matches) {
      expected.push_back(text(s.team(m.home).name) + " v " + text(s.team(m.away).name) + " | " +
                         text(s.venue(m).name) +
                         (s.venue(m).address.empty() ? "" : ", " + s.venue(m).address) + " | Week " +
                         std::to_string(week.number) + " of " + s.title + " | " +
                         std::regex_replace(base::format_iso_date(*week.date) + "T" + test::time_of(s, m),
                                            std::regex("[-:]"), "") +
                         "00 floating | PT3H");
    }
  }
  const std::string bytes = ics(s);
  const Events events = events_of(bytes);
  std::set<std::string> uids;
  for (const auto& [uid, rest] : events) {
    got.push_back(rest);
    EXPECT_TRUE(uids.insert(uid).second && uid.ends_with("@quintora")) << "a unique UID " << uid;
  }
  EXPECT_EQ(got, expected);
  // The same UIDs when exported again later, and in a team's own calendar; others for another season.
  EXPECT_EQ(events_of(ics(s, 0, stamp + std::chrono::hours(24 * 30))), events);
  Events own;
  std::copy_if(events.begin(), events.end(), std::back_inserter(own),
               [&](const auto& event) { return event.second.find(s.team(2).name) != std::string::npos; });
  EXPECT_EQ(events_of(ics(s, 2)), own);
  EXPECT_EQ(own.size(), 5u) << "six weeks, one of them a bye";
  Season renamed = s;
  renamed.title += " II";
  EXPECT_NE(events_of(ics(renamed))[0].first, events[0].first);
  // Three teams meet again as in the first week, the same team at home, in the seventh: another event.
  const Events again =
      events_of(ics(test::make_season({"A", "B", "C"}, {"Hall"}, "T", test::calendar({2025, 1, 7}), 7)));
  EXPECT_NE(again.front().first, again.back().first);

  EXPECT_TRUE(bytes.starts_with("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Quintora//Quintora "));
  EXPECT_TRUE(bytes.ends_with("END:VCALENDAR\r\n"));
  for (const char* line : {"\r\nMETHOD:PUBLISH\r\n", "\r\nDTSTAMP:20231114T221320Z\r\n",
                           "\r\nLOCATION:Bar <&> Grill\\, \u00c9glise 9\\, Caf\u00e9 Row\r\n", "\r\n "})
    EXPECT_NE(bytes.find(line), std::string::npos) << line << " (the last a folded line)";
  for (std::size_t from = 0, end; (end = bytes.find("\r\n", from)) != std::string::npos; from = end + 2) {
    const std::string line = bytes.substr(from, end - from);
    EXPECT_LE(line.size(), 75u) << line;
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "a bare CR or LF";
    // A folded line must not split a UTF-8 character.
    EXPECT_FALSE(line.size() > 1 && line[0] == ' ' && (static_cast<unsigned char>(line[1]) & 0xC0) == 0x80)
        << line;
  }
}

}  // namespace
}  // namespace quintora::publish
