#include "league/venue_section.h"

#include <memory>

#include "base/date.h"
#include "base/index.h"
#include "base/text.h"
#include "league/league_text.h"

namespace quintora::league {

namespace {

using base::at;

bool has_details(const League& league, int p) {
  return !league.bar.address[at(p)].empty() || !league.bar.phone[at(p)].empty() ||
         league.bar.start[at(p)].has_value();
}

}  // namespace

std::string venues_section_text(const League& league, const Compaction& compaction) {
  bool any = false;
  for (int p = 0; p < bar_room; ++p)
    any = any || (compaction.bar_number[at(p)] != 0 && has_details(league, p));
  if (!any) return {};
  LeagueTextWriter w;
  w.line(venues_header);
  w.numbers({compaction.bars});
  for (int p = 0; p < bar_room; ++p) {
    if (compaction.bar_number[at(p)] == 0) continue;
    w.line(league.bar.address[at(p)].view());
    w.line(league.bar.phone[at(p)].view());
    const auto& start = league.bar.start[at(p)];
    w.line(start ? base::format_time(*start) : std::string());
  }
  return w.take();
}

bool read_venues_section(SectionValues& values, League& league) {
  std::string_view text;
  int bars = 0;
  if (!values.next("number of bars", text)) return false;
  if (!parse_number(text, 0, bar_room, bars) || bars != league.n_bar_slot)
    return values.refuse(text, "the number of bars, " + std::to_string(league.n_bar_slot));
  // Read aside, so that a section cut short leaves no bar half done.
  auto details = std::make_unique<BarTable>();
  for (int p = 0; p < bars; ++p) {
    if (!values.next_or_empty("addresses", text)) return false;
    details->address[at(p)].assign(base::utf8_or_windows_1252(text));
    if (!values.next_or_empty("phones", text)) return false;
    details->phone[at(p)].assign(base::utf8_or_windows_1252(text));
    if (!values.next_or_empty("start times", text)) return false;
    if (text.empty()) continue;
    details->start[at(p)] = base::parse_time(text);
    if (!details->start[at(p)]) return values.refuse(text, "a start time of the form HH:MM or an empty line");
  }
  league.bar.address = details->address;
  league.bar.phone = details->phone;
  league.bar.start = details->start;
  return true;
}

}  // namespace quintora::league
