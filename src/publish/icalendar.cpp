// Calendar events through libical, which escapes TEXT values (backslash,
// comma, semicolon, line breaks) and folds long lines without splitting a
// UTF-8 character.

#include <libical/ical.h>

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <initializer_list>
#include <memory>
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

// Stable across exports of the same season, so a re-import updates each
// event instead of adding a copy.
std::string uid(const season::Season& season, const season::Week& week, const season::Match& match) {
  const std::uint64_t hash = fingerprint({season.title, std::to_string(week.number),
                                          season.team(match.home).name, season.team(match.away).name});
  static constexpr char hex[] = "0123456789abcdef";
  std::string text(16, '0');
  for (std::size_t i = 0; i < 16; ++i) text[15 - i] = hex[(hash >> (4 * i)) & 0xF];
  return text + "@quintora";
}

bool add(icalcomponent* component, icalproperty* property) {
  if (property == nullptr) return false;
  icalcomponent_add_property(component, property);
  return true;
}

Component event(const season::Season& season, const season::Week& week, const season::Match& match,
                const icaltimetype& stamp) {
  Component vevent(icalcomponent_new_vevent());
  if (!vevent) return nullptr;
  icaltimetype start = icaltime_null_time();  // no zone: a floating local time
  start.year = week.date->year;
  start.month = week.date->month;
  start.day = week.date->day;
  const base::TimeOfDay at = *season.start_time(match);
  start.hour = at.hour;
  start.minute = at.minute;
  const std::string summary =
      ical_text(season.team(match.home).name) + " v " + ical_text(season.team(match.away).name);
  std::string description = "Week " + std::to_string(week.number);
  if (!season.title.empty()) description += " of " + ical_text(season.title);
  const bool ok =
      add(vevent.get(), icalproperty_new_uid(uid(season, week, match).c_str())) &&
      add(vevent.get(), icalproperty_new_dtstamp(stamp)) &&
      add(vevent.get(), icalproperty_new_dtstart(start)) &&
      add(vevent.get(), icalproperty_new_duration(icaldurationtype_from_int(match_hours * 3600))) &&
      add(vevent.get(), icalproperty_new_summary(summary.c_str())) &&
      add(vevent.get(),
          icalproperty_new_location(ical_text(detail::name_and_address(season.venue(match))).c_str())) &&
      add(vevent.get(), icalproperty_new_description(description.c_str()));
  return ok ? std::move(vevent) : nullptr;
}

}  // namespace

Output icalendar(const season::Season& season, const Options& options) {
  if (const Result result = detail::check(season, options, true, last_date(Format::ICalendar));
      result != Result::Ok)
    return detail::failed(result);
  Component calendar(icalcomponent_new_vcalendar());
  if (!calendar) return detail::failed(Result::LibraryFailed);
  const std::string product = std::string("-//Quintora//Quintora ") + version_text + "//EN";
  std::string name = ical_text(season.title);
  if (options.team != 0)
    name += (name.empty() ? "" : " \xE2\x80\x94 ") + ical_text(season.team(options.team).name);
  bool ok = add(calendar.get(), icalproperty_new_version("2.0")) &&
            add(calendar.get(), icalproperty_new_prodid(product.c_str())) &&
            add(calendar.get(), icalproperty_new_calscale("GREGORIAN")) &&
            add(calendar.get(), icalproperty_new_method(ICAL_METHOD_PUBLISH));
  if (ok && !name.empty()) {  // the name calendar programs show for an imported calendar
    icalproperty* calendar_name = icalproperty_new_x(name.c_str());
    if (calendar_name != nullptr) icalproperty_set_x_name(calendar_name, "X-WR-CALNAME");
    ok = add(calendar.get(), calendar_name);
  }
  const auto seconds = static_cast<std::time_t>(detail::now(options).time_since_epoch().count());
  const icaltimetype stamp = icaltime_from_timet_with_zone(seconds, 0, icaltimezone_get_utc_timezone());
  for (const season::Week& week : season.weeks) {
    for (const season::Match& match : week.matches) {
      if (!ok) break;
      if (!detail::concerns(match, options.team)) continue;
      Component vevent = event(season, week, match, stamp);
      ok = vevent != nullptr;
      if (ok) icalcomponent_add_component(calendar.get(), vevent.release());
    }
  }
  if (!ok) return detail::failed(Result::LibraryFailed);
  const std::unique_ptr<char, BufferDeleter> text(icalcomponent_as_ical_string_r(calendar.get()));
  if (!text) return detail::failed(Result::LibraryFailed);
  return {Result::Ok, std::string(text.get())};
}

}  // namespace quintora::publish
