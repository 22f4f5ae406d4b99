// The record kept beside a calendar file of what it last published: a
// first line naming the format, then a line per event,
//   UID SEQUENCE DIGEST LAST-MODIFIED
// the digest 16 hex digits, LAST-MODIFIED in UTC as "20261207T144804Z" or
// "-" for an event that never changed. It is read strictly: a file that does
// not keep to this to the letter is not used at all, since a guessed
// SEQUENCE could make calendar programs ignore a real change.

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "base/date.h"
#include "base/file_reader.h"
#include "base/paths.h"
#include "publish/common.h"
#include "publish/publish.h"

namespace quintora::publish {

namespace {

constexpr std::string_view first_line = "Quintora calendar state 1";
// Far above a real season's events (a hundred teams over two hundred weeks
// make ten thousand), and small enough to read at once.
constexpr std::size_t max_state_bytes = 16u << 20;
constexpr int max_sequence = 1000000000;

std::string two(int n) {
  return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
}

std::string utc_text(std::chrono::sys_seconds when) {
  const auto days = std::chrono::floor<std::chrono::days>(when);
  const base::Date date = base::civil_from_days(days.time_since_epoch().count());
  const auto seconds = static_cast<int>((when - days).count());
  std::string out = base::format_iso_date(date);
  out.erase(7, 1);
  out.erase(4, 1);
  return out + "T" + two(seconds / 3600) + two(seconds / 60 % 60) + two(seconds % 60) + "Z";
}

template <class Number>
bool number_of(std::string_view text, Number& value, int base = 10) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return error == std::errc() && end == text.data() + text.size();
}

std::optional<std::chrono::sys_seconds> utc_from(std::string_view text) {
  // YYYYMMDDTHHMMSSZ
  if (text.size() != 16 || text[8] != 'T' || text[15] != 'Z') return std::nullopt;
  const std::string iso = std::string(text.substr(0, 4)) + "-" + std::string(text.substr(4, 2)) + "-" +
                          std::string(text.substr(6, 2));
  const std::optional<base::Date> date = base::parse_iso_date(iso);
  int hour = 0, minute = 0, second = 0;
  if (!date || !number_of(text.substr(9, 2), hour) || !number_of(text.substr(11, 2), minute) ||
      !number_of(text.substr(13, 2), second) || hour > 23 || minute > 59 || second > 59)
    return std::nullopt;
  return std::chrono::sys_seconds(std::chrono::days(base::days_from_civil(*date))) +
         std::chrono::seconds(hour * 3600 + minute * 60 + second);
}

// One event's line split at its three blanks, or nothing.
std::optional<CalendarState::Event> event_of(std::string_view line) {
  std::string_view parts[4];
  for (std::size_t i = 0; i < 4; ++i) {
    const std::size_t blank = i == 3 ? line.size() : line.find(' ');
    if (blank == std::string_view::npos) return std::nullopt;
    parts[i] = line.substr(0, blank);
    line.remove_prefix(i == 3 ? blank : blank + 1);
  }
  CalendarState::Event event;
  event.uid = std::string(parts[0]);
  const bool uid_ok =
      !event.uid.empty() && event.uid.size() <= 255 &&
      event.uid.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789@.-") == std::string::npos;
  if (!uid_ok || !number_of(parts[1], event.sequence) || event.sequence < 0 ||
      event.sequence > max_sequence || parts[2].size() != 16 || !number_of(parts[2], event.digest, 16))
    return std::nullopt;
  if (parts[3] != "-") {
    event.modified = utc_from(parts[3]);
    if (!event.modified) return std::nullopt;
  }
  return event;
}

}  // namespace

namespace detail {

std::string calendar_state_text(const CalendarState& state) {
  std::string out = std::string(first_line) + "\n";
  static constexpr char hex[] = "0123456789abcdef";
  for (const CalendarState::Event& event : state.events) {
    std::string digest(16, '0');
    for (std::size_t i = 0; i < 16; ++i) digest[15 - i] = hex[(event.digest >> (4 * i)) & 0xF];
    out += event.uid + " " + std::to_string(event.sequence) + " " + digest + " " +
           (event.modified ? utc_text(*event.modified) : std::string("-")) + "\n";
  }
  return out;
}

std::optional<CalendarState> parse_calendar_state(std::string_view text) {
  CalendarState state;
  std::set<std::string_view> uids;
  bool first = true;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) return std::nullopt;  // cut short
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);  // moved through Windows
    if (std::exchange(first, false)) {
      if (line != first_line) return std::nullopt;
      continue;
    }
    std::optional<CalendarState::Event> event = event_of(line);
    if (!event) return std::nullopt;
    state.events.push_back(std::move(*event));
  }
  if (first) return std::nullopt;
  for (const CalendarState::Event& event : state.events) {
    if (!uids.insert(event.uid).second) return std::nullopt;
  }
  return state;
}

}  // namespace detail

std::filesystem::path calendar_state_path(const std::filesystem::path& calendar_file) {
  std::filesystem::path state = calendar_file;
  state += "-state";
  return state;
}

CalendarStateRead read_calendar_state(const std::filesystem::path& calendar_file) {
  const std::filesystem::path path = calendar_state_path(calendar_file);
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return {};
  std::string bytes;
  const base::ReadStatus status = base::read_file(path, max_state_bytes + 1, bytes);
  std::optional<CalendarState> state;
  if (status == base::ReadStatus::Ok && bytes.size() <= max_state_bytes)
    state = detail::parse_calendar_state(bytes);
  if (state) return {std::move(state), std::nullopt};
  return {std::nullopt,
          base::Notice{"The file " + base::utf8_of(path) +
                           ", which records what the calendar last published, cannot be used: every event is "
                           "published as new, and the file is made again.",
                       base::caption::warning, base::Icon::Exclamation}};
}

}  // namespace quintora::publish
