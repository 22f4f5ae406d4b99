#include <gtest/gtest.h>
#include <libical/ical.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "exports.h"
#include "publish/common.h"
#include "publish/publish.h"

namespace quintora::publish {
namespace {

using season::Season;
using Events = std::vector<std::pair<std::string, std::string>>;

constexpr auto stamp = std::chrono::sys_seconds(std::chrono::seconds(1700000000));  // 2023-11-14 22:13:20 UTC

// The calendar made at `now` after the one that left `state` ("": the first).
Output ics(const Season& s, int team = 0, std::chrono::sys_seconds now = stamp,
           const std::string& state = "") {
  const std::optional<CalendarState> before = detail::parse_calendar_state(state);
  Options options = test::for_team(team);
  options.now = now;
  options.published = before ? &*before : nullptr;
  return icalendar(s, options);
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

// Where the league has divisions, each event's description names its host's.
// A team's calendar uses the league's UIDs, and says whether it plays at home.
TEST(ICalendar, FloatingEventsWithStableUidsInLinesThatKeepTheRules) {
  const Season s = test::divided();
  // iCalendar TEXT has no CR: a CR LF or lone CR in a name comes back as one line break.
  const auto text = [](const std::string& name) {
    return std::regex_replace(name, std::regex("\r\n?"), "\n");
  };
  const std::string bytes = ics(s).bytes;
  const Events events = events_of(bytes);
  ASSERT_EQ(events.size(), 12u) << "six weeks of two matches";
  std::vector<std::string> own, own_got;
  std::set<std::string> uids;
  std::size_t e = 0;
  for (const auto& row : test::fixture_rows(s)) {  // the venue's address and the host's division
    if (row[5].empty() || row[0] == "Week") continue;
    const auto& [uid, rest] = events[e++];
    EXPECT_EQ(rest,
              text(row[4]) + " v " + text(row[5]) + " | " + text(row[6]) + (row[7].empty() ? "" : ", ") +
                  row[7] + " | Week " + row[0] + " of " + s.title + ", " + row[9] + " | " +
                  std::regex_replace(row[1] + "T" + row[3], std::regex("[-:]"), "") + "00 floating | PT3H");
    EXPECT_TRUE(uids.insert(uid).second && uid.ends_with("@quintora")) << "a unique UID " << uid;
    if (row[4] == s.teams[1].name) own.push_back(uid + " Home v " + text(row[5]));
    if (row[5] == s.teams[1].name) own.push_back(uid + " at " + text(row[4]));
  }
  for (const auto& [uid, rest] : events_of(ics(s, 2).bytes))
    own_got.push_back(uid + " " + rest.substr(0, rest.find(" | ")));
  EXPECT_EQ(own_got, own);
  // Other UIDs for another title or first date (the next season), and where
  // a pairing comes round again (the same ones later: RepublishedEvents...).
  Season renamed = s, next = s;
  renamed.title += " II";
  next.calendar->first = base::Date{2025, 9, 2};
  for (const Season& other : {renamed, next})
    EXPECT_NE(events_of(ics(other).bytes)[0].first, events[0].first);
  // Three teams meet again as in the first week, the same team at home, in the seventh.
  const Events again = events_of(
      ics(test::make_season({"A", "B", "C"}, {"Hall"}, "T", test::calendar({2025, 1, 7}), 7)).bytes);
  EXPECT_NE(again.front().first, again.back().first);

  EXPECT_TRUE(bytes.starts_with("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Quintora//Quintora "));
  EXPECT_NE(bytes.find("\r\nDTSTAMP:20231114T221320Z\r\n"), std::string::npos);
  // The calendar's name as TEXT: its comma and semicolon escaped, folded within a character.
  std::string unfolded = std::regex_replace(bytes, std::regex("\r\n "), "");
  EXPECT_NE(
      unfolded.find("\r\nMETHOD:PUBLISH\r\nX-WR-CALNAME:Spring\\, \"Open\"\\; League <2025> & 100% \u2014 "
                    "\u00e9t\u00e9\r\nBEGIN:VEVENT\r\n"),
      std::string::npos)
      << bytes;
  // Each line within 75 octets: team 4's calendar has a long name of wide
  // characters, team 1's an ASCII name that reaches the fold.
  const std::string team_file = ics(s, 4).bytes;
  for (const std::string& file : {bytes, team_file, ics(s, 1).bytes}) {
    for (std::size_t from = 0, end; (end = file.find("\r\n", from)) != std::string::npos; from = end + 2) {
      const std::string line = file.substr(from, end - from);
      EXPECT_LE(line.size(), 75u) << line;
      EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "a bare CR or LF";
      // A folded line must not split a UTF-8 character.
      EXPECT_FALSE(line.size() > 1 && line[0] == ' ' && (static_cast<unsigned char>(line[1]) & 0xC0) == 0x80)
          << line;
    }
  }
  EXPECT_NE(team_file.find("\r\nX-WR-CALNAME:"), std::string::npos);
  EXPECT_NE(team_file.find("\r\n "), std::string::npos) << "a folded line";
}

// Each event's UID, SEQUENCE and LAST-MODIFIED ("-" when it has none).
std::vector<std::string> revisions(const std::string& text) {
  std::vector<std::string> out;
  for (const auto& m : test::matches(text,
                                     "UID:([^\r]*)\r\nDTSTAMP:[^\r]*\r\nDTSTART:[^\r]*\r\nDURATION:[^\r]*\r\n"
                                     "SEQUENCE:([0-9]+)\r\n(?:LAST-MODIFIED:([^\r]*)\r\n)?"))
    out.push_back(m[0] + " " + m[1] + " " + (m[2].empty() ? "-" : m[2]));
  return out;
}

// Exported again with the state the last export left, an event keeps its
// UID, and its SEQUENCE and LAST-MODIFIED while it says the same; one that
// moved or changed (as libical reads it) gets the next SEQUENCE and
// LAST-MODIFIED now.
TEST(ICalendar, RepublishedEventsSayWhatChanged) {
  const Season first = test::divided();
  const Output made = ics(first);
  const std::vector<std::string> initial = revisions(made.bytes);
  ASSERT_EQ(initial.size(), 12u);
  for (const std::string& r : initial) EXPECT_TRUE(r.ends_with(" 0 -")) << r;
  const auto later = stamp + std::chrono::hours(24 * 40);  // 2023-12-24 22:13:20 UTC
  // Nothing; a week off before week 4 (weeks 4 to 6 move), the second bar's
  // start time going, the first bar's address: each changes some events, not all.
  const std::vector<std::function<void(Season&)>> changes = {
      [](Season&) {},
      [](Season& s) {
        for (std::size_t w = 3; w < s.weeks.size(); ++w)
          s.weeks[w].date = base::civil_from_days(base::days_from_civil(*s.weeks[w].date) + 7);
      },
      [](Season& s) { s.bars[1].start.reset(); }, [](Season& s) { s.bars[0].address = "2 Low St"; }};
  const Events before = events_of(made.bytes);
  for (std::size_t c = 0; c < changes.size(); ++c) {
    Season moved = first;
    changes[c](moved);
    const Output update = ics(moved, 0, later, made.calendar_state);
    const Events after = events_of(update.bytes);
    std::vector<std::string> expected;
    for (std::size_t e = 0; e < before.size() && e < after.size(); ++e)
      expected.push_back(before[e].first +
                         (before[e].second == after[e].second ? " 0 -" : " 1 20231224T221320Z"));
    EXPECT_EQ(revisions(update.bytes), expected) << "change " << c;
    EXPECT_EQ(update.calendar_state == made.calendar_state, c == 0) << "the state changes with the events";
    // Published once more, the changed events keep their new SEQUENCE and LAST-MODIFIED.
    EXPECT_EQ(revisions(ics(moved, 0, later + std::chrono::hours(1), update.calendar_state).bytes), expected);
  }
}

// The state file is used only when it keeps to its format to the letter.
TEST(ICalendar, StateThatIsNotWhatWasWrittenIsNotUsed) {
  const std::string head = "Quintora calendar state 1\n";
  const std::string good = "0123456789abcdef@quintora 2 00000000000000ff 20231114T221320Z\n";
  ASSERT_TRUE(detail::parse_calendar_state(head + good + "b@quintora 0 0000000000000001 -\r\n"));
  EXPECT_EQ(detail::calendar_state_text(*detail::parse_calendar_state(head + good)), head + good);
  // clang-format off
  for (const std::string& bad : {std::string(), head.substr(0, 20), "Quintora calendar state 2\n" + good,
       head + good.substr(0, good.size() - 1), head + good + good, head + "\n",
       head + "UPPER@quintora 0 0000000000000001 -\n", head + "a@quintora -1 0000000000000001 -\n",
       head + "a@quintora 1x 0000000000000001 -\n", head + "a@quintora 1 000000000000001 -\n",
       head + "a@quintora 1 000000000000000g -\n", head + "a@quintora 1 0000000000000001\n",
       head + "a@quintora 1 0000000000000001 - extra\n", head + "a@quintora 1 0000000000000001 20231314T221320Z\n",
       head + "a@quintora 1 0000000000000001 20231114T241320Z\n", head + "a@quintora 99999999999 0000000000000001 -\n",
       head + std::string("a\0b@quintora 1 0000000000000001 -\n", 34)})
    EXPECT_FALSE(detail::parse_calendar_state(bad)) << bad;
  // clang-format on
}

}  // namespace
}  // namespace quintora::publish
