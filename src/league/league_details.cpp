#include "league/league_details.h"

#include <algorithm>
#include <cstddef>

#include "base/index.h"
#include "base/text_compare.h"
#include "league/names.h"

namespace quintora::league {

namespace {

using base::at;

base::Notice stop(std::string text) { return {std::move(text), base::caption::stop, base::Icon::Error}; }

bool valid_division(const League& league, int d) { return d >= 1 && d <= division_count(league); }
bool valid_bar(const League& league, int p) {
  return p >= 0 && p < league.n_bar_slot && p < bar_room && bar_is_live(league, p);
}

bool has_control_character(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
  });
}

std::string trimmed(std::string text) {
  trim_trailing_blanks(text);
  return trim_leading_blanks(text);
}

std::string too_long(std::string_view what, std::size_t size, std::size_t room) {
  return "The " + std::string(what) + " takes " + std::to_string(size) + " bytes; it has room for " +
         std::to_string(room) + ". Please shorten it.";
}

}  // namespace

int find_division(const League& league, std::string_view name) {
  for (int d = 1; d <= division_count(league); ++d) {
    if (base::equal_ignoring_case(division_name(league, d), name)) return d;
  }
  return 0;
}

Refusal add_division(League& league, std::string& name) {
  if (division_count(league) >= max_divisions) return stop("Only 8 divisions are allowed.");
  if (auto refusal = validate_name(league, name, NameKind::Division)) return refusal;
  const int d = division_count(league) + 1;
  league.division.n_division = d;
  league.division.name[at(d - 1)].assign(name);
  return std::nullopt;
}

Refusal rename_division(League& league, int division, std::string& name) {
  if (!valid_division(league, division)) return stop("Please select a division.");
  if (auto refusal = validate_name(league, name, NameKind::Division)) return refusal;
  league.division.name[at(division - 1)].assign(name);
  return std::nullopt;
}

Refusal delete_division(League& league, int division) {
  if (!valid_division(league, division)) return stop("Please select a division.");
  const int n = division_count(league);
  if (n <= 1) return stop("A league keeps at least one division.");
  for (int t = 0; t < team_room; ++t) {
    const int d = division_of(league, t);
    league.team.division[at(t)] = d == division ? 1 : d > division ? d - 1 : d;
  }
  for (int d = division; d < n; ++d) league.division.name[at(d - 1)] = league.division.name[at(d)];
  league.division.name[at(n - 1)].clear();
  league.division.n_division = n - 1;
  return std::nullopt;
}

void set_team_division(League& league, int team_position, int division) {
  if (team_position >= 0 && team_position < team_room && valid_division(league, division))
    league.team.division[at(team_position)] = division;
}

bool is_match_date(const Calendar& calendar, base::Date date) {
  if (calendar.every_days < 1 || !base::is_valid(date)) return false;
  const std::int64_t days = base::days_from_civil(date) - base::days_from_civil(calendar.first);
  if (days < 0 || days % calendar.every_days != 0) return false;
  const auto off = calendar.weeks_off();
  return std::find(off.begin(), off.end(), date) == off.end();
}

Refusal add_unavailable(League& league, const Unavailable& entry) {
  if (!league.calendar) return stop("The league has no calendar: give the weeks dates first.");
  const int slots = entry.kind == UnavailableKind::Bar ? league.n_bar_slot : league.n_team_slot;
  const bool live = entry.position >= 0 && entry.position < slots &&
                    (entry.kind == UnavailableKind::Bar ? bar_is_live(league, entry.position)
                                                        : team_is_live(league, entry.position));
  if (!live)
    return stop(entry.kind == UnavailableKind::Bar ? "Please select a bar." : "Please select a team.");
  const Calendar& calendar = *league.calendar;
  const std::string date = base::format_iso_date(entry.date);
  if (!is_match_date(calendar, entry.date)) {
    const auto off = calendar.weeks_off();
    if (std::find(off.begin(), off.end(), entry.date) != off.end())
      return stop(date + " is a week off: nothing is played that day.");
    return stop(date + " is not a match date: matches fall every " + std::to_string(calendar.every_days) +
                (calendar.every_days == 1 ? " day" : " days") + " from " +
                std::string(base::weekday_name(calendar.first)) + " " +
                base::format_iso_date(calendar.first) + ".");
  }
  const auto entries = unavailable_entries(league);
  if (std::find(entries.begin(), entries.end(), entry) != entries.end())
    return stop(date + " is already listed.");
  if (league.unavailable.n_entry >= max_unavailable) return stop("Only 200 unavailable dates are allowed.");
  league.unavailable.entry[at(league.unavailable.n_entry++)] = entry;
  return std::nullopt;
}

bool remove_unavailable(League& league, const Unavailable& entry) {
  const auto entries = unavailable_entries(league);
  const auto it = std::find(entries.begin(), entries.end(), entry);
  if (it == entries.end()) return false;
  std::copy(it + 1, entries.end(), league.unavailable.entry.begin() + (it - entries.begin()));
  --league.unavailable.n_entry;
  return true;
}

Refusal set_address(League& league, int bar_position, std::string_view text) {
  if (!valid_bar(league, bar_position)) return stop("Please select a bar.");
  // One line in the file: each line break (CR LF, LF or CR) becomes ", ";
  // one at either end goes.
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
    text.remove_suffix(1);
  while (!text.empty() && (text.front() == '\r' || text.front() == '\n' || text.front() == ' '))
    text.remove_prefix(1);
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      line += ", ";
    } else {
      line += text[i];
    }
  }
  line = trimmed(std::move(line));
  if (has_control_character(line)) return stop("An address cannot hold a tab or another control character.");
  if (line.size() > Address::room) return stop(too_long("address", line.size(), Address::room));
  league.bar.address[at(bar_position)].assign(line);
  return std::nullopt;
}

Refusal set_phone(League& league, int bar_position, std::string_view text) {
  if (!valid_bar(league, bar_position)) return stop("Please select a bar.");
  const std::string phone = trimmed(std::string(text));
  if (has_control_character(phone))
    return stop("A phone number cannot hold a tab, a line break or another control character.");
  if (phone.size() > Phone::room) return stop(too_long("phone number", phone.size(), Phone::room));
  league.bar.phone[at(bar_position)].assign(phone);
  return std::nullopt;
}

Refusal set_start(League& league, int bar_position, std::string_view text) {
  if (!valid_bar(league, bar_position)) return stop("Please select a bar.");
  const std::string start = trimmed(std::string(text));
  if (start.empty()) {
    league.bar.start[at(bar_position)].reset();
    return std::nullopt;
  }
  const auto time = base::parse_time(start);
  if (!time)
    return stop("The start time " + start +
                " is not of the form HH:MM (00:00 to 23:59); leave it empty for the league's time.");
  league.bar.start[at(bar_position)] = *time;
  return std::nullopt;
}

}  // namespace quintora::league
