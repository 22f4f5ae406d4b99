#include "league/unavailable_section.h"

#include <span>

#include "base/index.h"
#include "league/league_text.h"

namespace quintora::league {

namespace {

using base::at;

constexpr std::string_view bar_word = "BAR";
constexpr std::string_view team_word = "TEAM";

// The entry's number in the file; 0 when its bar or team is not written.
std::int32_t file_number(const Compaction& compaction, const Unavailable& entry) {
  if (entry.kind == UnavailableKind::Bar) {
    return entry.position >= 0 && entry.position < bar_room ? compaction.bar_number[at(entry.position)] : 0;
  }
  return entry.position >= 0 && entry.position < team_room ? compaction.team_number[at(entry.position)] : 0;
}

// The entry position of the bar that bears number n, as teams find their bar.
int bar_numbered(const League& league, std::int32_t n) {
  for (int p = 0; p < league.n_bar_slot && p < bar_room; ++p) {
    if (bar_is_live(league, p) && league.bar.number[at(p)] == n) return p;
  }
  return no_position;
}

bool read_entry(SectionValues& values, const League& league, Unavailable& entry) {
  std::string_view text;
  if (!values.next("entries", text)) return false;
  if (text != bar_word && text != team_word) return values.refuse(text, "BAR or TEAM");
  const bool bar = text == bar_word;
  entry.kind = bar ? UnavailableKind::Bar : UnavailableKind::Team;
  int n = 0;
  if (!values.next("entries", text)) return false;
  if (bar) {
    if (!parse_number(text, 1, 999999, n) || (entry.position = bar_numbered(league, n)) == no_position)
      return values.refuse(text, "the number of a bar");
  } else {
    if (!parse_number(text, 1, league.n_team_slot, n)) return values.refuse(text, "the number of a team");
    entry.position = n - 1;
  }
  if (!values.next("entries", text)) return false;
  const auto date = base::parse_iso_date(text);
  if (!date) return values.refuse(text, "a date of the form YYYY-MM-DD");
  entry.date = *date;
  return true;
}

}  // namespace

std::string unavailable_section_text(const League& league, const Compaction& compaction) {
  if (!league.calendar) return {};
  std::int32_t written = 0;
  for (const Unavailable& entry : unavailable_entries(league))
    written += file_number(compaction, entry) > 0 ? 1 : 0;
  if (written == 0) return {};
  LeagueTextWriter w;
  w.line(unavailable_header);
  w.numbers({written});
  for (const Unavailable& entry : unavailable_entries(league)) {
    const std::int32_t n = file_number(compaction, entry);
    if (n == 0) continue;
    w.line(entry.kind == UnavailableKind::Bar ? bar_word : team_word);
    w.numbers({n});
    w.line(base::format_iso_date(entry.date));
  }
  return w.take();
}

bool read_unavailable_section(SectionValues& values, League& league) {
  UnavailableTable table;
  if (!values.number("number of entries", 0, max_unavailable, table.n_entry)) return false;
  for (int k = 0; k < table.n_entry; ++k) {
    Unavailable& entry = table.entry[at(k)];
    if (!read_entry(values, league, entry)) return false;
    for (int e = 0; e < k; ++e) {
      if (table.entry[at(e)] == entry) return values.fail("this entry is listed twice");
    }
  }
  league.unavailable = table;
  return true;
}

}  // namespace quintora::league
