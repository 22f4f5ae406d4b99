#pragma once
// The league file's divisions: an optional section after the team list with
// the division names and each team's division, in team order. A league of
// one division is written without it, byte for byte as before.

#include <string>
#include <string_view>

#include "league/compaction.h"
#include "league/league.h"
#include "league/section_lines.h"

namespace quintora::league {

inline constexpr std::string_view divisions_header =
    "<< DIVISIONS: Number of Divisions, each Division Name, then each Team's Division Number in Team Order "
    ">>";

// The section's lines, or nothing for a league of one division.
std::string divisions_section_text(const League& league, const Compaction& compaction);

// Reads the section's values, its header read; the teams are those already
// read. False with the problem noted, leaving the league in one division.
bool read_divisions_section(SectionValues& values, League& league);

}  // namespace quintora::league
