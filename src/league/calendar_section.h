#pragma once
// The league file's calendar: an optional section after the team list, in
// the file's own line style (a "<< ... >>" header, one value per line, CR LF,
// dates as YYYY-MM-DD). A league without a calendar is written without the
// section, byte for byte as before, so files and readers of the older layout
// keep working.

#include <string>
#include <string_view>

#include "league/calendar.h"
#include "league/league.h"
#include "league/section_lines.h"

namespace quintora::league {

inline constexpr std::string_view calendar_header =
    "<< CALENDAR: First Match Date, Days Between Match Weeks, Start Time, Number of Weeks Off, Weeks Off >>";

// The section's lines, each ending in CR LF.
std::string calendar_section_text(const Calendar& calendar);

// Reads the section's values, its header read, into the league's calendar;
// false with the problem noted, leaving the league without a calendar.
bool read_calendar_section(SectionValues& values, League& league);
}  // namespace quintora::league
