#pragma once
// The league file's venue details: an optional section after the team list
// with each bar's address, phone and start time, in bar order. Written only
// when some bar has a detail, so a league without them is written byte for
// byte as before.

#include <string>
#include <string_view>

#include "league/compaction.h"
#include "league/league.h"
#include "league/section_lines.h"

namespace quintora::league {

inline constexpr std::string_view venues_header =
    "<< VENUES: Number of Bars, then for each Bar in order its Address, its Phone and its Start Time >>";

// The section's lines, or nothing when no written bar has a detail.
std::string venues_section_text(const League& league, const Compaction& compaction);

// Reads the section's values, its header read; the bars are those already
// read. False with the problem noted, leaving every bar without details.
bool read_venues_section(SectionValues& values, League& league);

}  // namespace quintora::league
