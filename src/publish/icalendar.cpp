// Calendar events through libical, which escapes TEXT values (backslash,
// comma, semicolon, line breaks) and folds long lines without splitting a
// UTF-8 character.

#include <libical/ical.h>

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/text.h"
#include "publish/common.h"
#include "publish/publish.h"
#include "quintora/version.h"

namespace quintora::publish {

namespace {

constexpr int match_hours = 3;

struct ComponentDeleter {
  void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

struct BufferDeleter {
  void operator()(char* buffer) const { icalmemory_free_buffer(buffer); }
};

// iCalendar TEXT holds line breaks only as "\n" and no other control
// character: CR LF and a lone CR become one line break, other controls
// (NUL included, which would end the C string) become U+FFFD.
std::string ical_text(std::string_view raw) {
  const std::string text = base::without_control_characters(raw, "\t\n\r");
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += c;
    }
  }
  return out;
}

// FNV-1a, 64 bits; each part is followed by a zero byte so that the parts'
// borders count ("ab"+"c" differs from "a"+"bc").
std::uint64_t fingerprint(std::initializer_list<std::string_view> parts) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const std::string_view part : parts) {
    for (const char c : part) {
      hash ^= static_cast<unsigned char>(c);
      hash *= 1099511628211ULL;
    }
    hash *= 1099511628211ULL;  // the zero byte
  }
  return hash;
}

std::string hex_of(std::uint64_t value) {
  static constexpr char hex[] = "0123456789abcdef";
  std::string text(16, '0');
  for (std::size_t i = 0; i < 16; ++i) text[15 - i] = hex[(value >> (4 * i)) & 0xF];
  return text;
}

// Stable across exports of the same season, and when a match only moves (a
// week off, another start time), so a re-import updates each event instead
// of adding a copy; the calendar's first date tells one season from the
// next. A team's calendar uses the league's UIDs.
std::string uid(const season::Season& season, const season::Week& week, const season::Match& match) {
  const std::uint64_t hash =
      fingerprint({season.title, base::format_iso_date(season.calendar->first), std::to_string(week.number),
                   std::to_string(match.home), season.team(match.home).name, std::to_string(match.away),
                   season.team(match.away).name});
  return hex_of(hash) + "@quintora";
}

bool add(icalcomponent* component, icalproperty* property) {
  if (property == nullptr) return false;
  icalcomponent_add_property(component, property);
  return true;
}

icaltimetype ical_time(std::chrono::sys_seconds when) {
  const auto seconds = static_cast<std::time_t>(when.time_since_epoch().count());
  return icaltime_from_timet_with_zone(seconds, 0, icaltimezone_get_utc_timezone());
}

// What an event says, before it is made.
struct EventText {
  std::string uid, summary, location, description;
  icaltimetype start = icaltime_null_time();  // no zone: a floating local time
};

EventText event_text(const season::Season& season, const season::Week& week, const season::Match& match,
                     int team) {
  EventText text;
  text.uid = uid(season, week, match);
  text.start.year = week.date->year;
  text.start.month = week.date->month;
  text.start.day = week.date->day;
  const base::TimeOfDay at = *season.start_time(match);
  text.start.hour = at.hour;
  text.start.minute = at.minute;
  if (team == 0)
    text.summary = ical_text(season.team(match.home).name) + " v " + ical_text(season.team(match.away).name);
  else if (match.home == team)
    text.summary = "Home v " + ical_text(season.team(match.away).name);
  else
    text.summary = "at " + ical_text(season.team(match.home).name);
  text.location = ical_text(detail::name_and_address(season.venue(match)));
  text.description = "Week " + std::to_string(week.number);
  if (!season.title.empty()) text.description += " of " + ical_text(season.title);
  if (detail::has_divisions(season))
    text.description += ", " + ical_text(detail::division_of(season, match.home));
  return text;
}

// The event's SEQUENCE and LAST-MODIFIED from what was published before:
// the same while it says the same, the next and now once it changed.
CalendarState::Event revision(const EventText& text,
                              const std::map<std::string_view, const CalendarState::Event*>& before,
                              std::chrono::sys_seconds now) {
  CalendarState::Event event{
      text.uid, 0,
      fingerprint({icaltime_as_ical_string(text.start), text.summary, text.location, text.description}),
      std::nullopt};
  const auto found = before.find(text.uid);
  if (found == before.end()) return event;
  const CalendarState::Event& old = *found->second;
  event.sequence = old.sequence;
  event.modified = old.modified;
  if (old.digest != event.digest) {
    event.sequence = old.sequence + 1;
    event.modified = now;
  }
  return event;
}

Component event(const EventText& text, const CalendarState::Event& revision, const icaltimetype& stamp) {
  Component vevent(icalcomponent_new_vevent());
  if (!vevent) return nullptr;
  bool ok = add(vevent.get(), icalproperty_new_uid(text.uid.c_str())) &&
            add(vevent.get(), icalproperty_new_dtstamp(stamp)) &&
            add(vevent.get(), icalproperty_new_dtstart(text.start)) &&
            add(vevent.get(), icalproperty_new_duration(icaldurationtype_from_int(match_hours * 3600))) &&
            add(vevent.get(), icalproperty_new_sequence(revision.sequence));
  if (ok && revision.modified)
    ok = add(vevent.get(), icalproperty_new_lastmodified(ical_time(*revision.modified)));
  ok = ok && add(vevent.get(), icalproperty_new_summary(text.summary.c_str())) &&
       add(vevent.get(), icalproperty_new_location(text.location.c_str())) &&
       add(vevent.get(), icalproperty_new_description(text.description.c_str()));
  return ok ? std::move(vevent) : nullptr;
}

// A content line of TEXT, escaped and folded as RFC 5545 asks. libical
// leaves the commas and semicolons of an X- property's value as they are,
// which readers then split the value at.
std::string text_line(std::string_view name, std::string_view text) {
  std::string line(name);
  line += ':';
  for (const char c : text) {
    if (c == '\\' || c == ';' || c == ',') line += '\\';
    line += c == '\n' ? std::string("\\n") : std::string(1, c);
  }
  std::string out;
  std::size_t width = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const bool continuation = (static_cast<unsigned char>(line[i]) & 0xC0) == 0x80;
    std::size_t length = 1;  // the whole UTF-8 character goes on one line
    while (!continuation && i + length < line.size() &&
           (static_cast<unsigned char>(line[i + length]) & 0xC0) == 0x80)
      ++length;
    if (!continuation && width + length > 75) {
      out += "\r\n ";
      width = 1;
    }
    out += line[i];
    ++width;
  }
  return out + "\r\n";
}

bool has_events(const season::Season& season, int team) {
  for (const season::Week& week : season.weeks) {
    for (const season::Match& match : week.matches) {
      if (detail::concerns(match, team)) return true;
    }
  }
  return false;
}

}  // namespace

Output icalendar(const season::Season& season, const Options& options) {
  if (const Result result = detail::check(season, options, true, last_date(Format::ICalendar));
      result != Result::Ok)
    return detail::failed(result);
  if (!has_events(season, options.team)) return detail::failed(Result::NoMatches);
  Component calendar(icalcomponent_new_vcalendar());
  if (!calendar) return detail::failed(Result::LibraryFailed);
  const std::string product = std::string("-//Quintora//Quintora ") + version_text + "//EN";
  bool ok = add(calendar.get(), icalproperty_new_version("2.0")) &&
            add(calendar.get(), icalproperty_new_prodid(product.c_str())) &&
            add(calendar.get(), icalproperty_new_calscale("GREGORIAN")) &&
            add(calendar.get(), icalproperty_new_method(ICAL_METHOD_PUBLISH));
  const std::chrono::sys_seconds now = detail::now(options);
  const icaltimetype stamp = ical_time(now);
  std::map<std::string_view, const CalendarState::Event*> before;
  if (options.published != nullptr) {
    for (const CalendarState::Event& event : options.published->events) before.emplace(event.uid, &event);
  }
  CalendarState state;
  for (const season::Week& week : season.weeks) {
    for (const season::Match& match : week.matches) {
      if (!ok) break;
      if (!detail::concerns(match, options.team)) continue;
      const EventText text = event_text(season, week, match, options.team);
      state.events.push_back(revision(text, before, now));
      Component vevent = event(text, state.events.back(), stamp);
      ok = vevent != nullptr;
      if (ok) icalcomponent_add_component(calendar.get(), vevent.release());
    }
  }
  if (!ok) return detail::failed(Result::LibraryFailed);
  const std::unique_ptr<char, BufferDeleter> text(icalcomponent_as_ical_string_r(calendar.get()));
  if (!text) return detail::failed(Result::LibraryFailed);
  std::string bytes(text.get());
  std::string name = ical_text(season.title);
  if (options.team != 0)
    name += (name.empty() ? "" : " \xE2\x80\x94 ") + ical_text(season.team(options.team).name);
  // The name calendar programs show for an imported calendar, after METHOD.
  constexpr std::string_view method = "METHOD:PUBLISH\r\n";
  const std::size_t after_method = bytes.find(method);
  if (!name.empty() && after_method != std::string::npos)
    bytes.insert(after_method + method.size(), text_line("X-WR-CALNAME", name));
  return {Result::Ok, std::move(bytes), detail::calendar_state_text(state)};
}

}  // namespace quintora::publish
