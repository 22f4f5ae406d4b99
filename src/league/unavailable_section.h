#pragma once
// The league file's unavailable dates: an optional section after the team
// list, each entry a bar that hosts no match on a date, or a team that plays
// no home match on it. Bars and teams go by their numbers in the file, so
// the save's renumbering reaches them; an entry of a deleted bar or team is
// left out. The dates need the league's calendar, but an entry stays on its
// date when a week off moves the match dates: the season says which no
// longer fall on a match date.

#include <string>
#include <string_view>

#include "league/compaction.h"
#include "league/league.h"
#include "league/section_lines.h"

namespace quintora::league {

inline constexpr std::string_view unavailable_header =
    "<< UNAVAILABLE: Number of Entries, then each as BAR or TEAM, its Number, and the Date >>";

// The section's lines, or nothing when no entry is written.
std::string unavailable_section_text(const League& league, const Compaction& compaction);

// Reads the section's values, its header read; the bars and teams are those
// already read. False with the problem noted, leaving the league without entries.
bool read_unavailable_section(SectionValues& values, League& league);

}  // namespace quintora::league
