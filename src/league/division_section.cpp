#include "league/division_section.h"

#include <cstddef>
#include <memory>

#include "base/index.h"
#include "base/text.h"
#include "base/text_compare.h"
#include "league/league_text.h"

namespace quintora::league {

using base::at;

std::string divisions_section_text(const League& league, const Compaction& compaction) {
  const int divisions = division_count(league);
  if (divisions <= 1) return {};
  LeagueTextWriter w;
  w.line(divisions_header);
  w.numbers({divisions});
  for (int d = 1; d <= divisions; ++d) w.line(division_name(league, d));
  for (int k = 0; k < compaction.teams; ++k) w.numbers({division_of(league, compaction.team_at[at(k)])});
  return w.take();
}

bool read_divisions_section(SectionValues& values, League& league) {
  DivisionTable table;
  if (!values.number("number of divisions", 1, max_divisions, table.n_division)) return false;
  std::string_view text;
  for (int d = 0; d < table.n_division; ++d) {
    if (!values.next("division names", text)) return false;
    table.name[at(d)].assign(base::utf8_or_windows_1252(text));
    for (int e = 0; e < d; ++e) {
      if (base::equal_ignoring_case(table.name[at(e)].view(), table.name[at(d)].view()))
        return values.fail("the division " + quoted(table.name[at(d)].view()) + " is listed twice");
    }
  }
  std::array<std::int32_t, team_room> division{};
  for (int t = 0; t < league.n_team_slot && t < team_room; ++t) {
    if (!values.number("division number", 1, table.n_division, division[at(t)])) return false;
  }
  league.division = table;
  league.team.division = division;
  return true;
}

}  // namespace quintora::league
