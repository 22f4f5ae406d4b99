#pragma once
// The league file's calendar: an optional section after the team list, in
// the file's own line style (a "<< ... >>" header, one value per line, CR LF,
// dates as YYYY-MM-DD). A league without a calendar is written without the
// section, byte for byte as before, so files and readers of the older layout
// keep working; a section this program cannot understand is reported with
// the line it stopped at and leaves the league without a calendar.

#include <optional>
#include <string>
#include <string_view>

#include "league/calendar.h"

namespace quintora::league {

inline constexpr std::string_view calendar_header =
    "<< CALENDAR: First Match Date, Days Between Match Weeks, Start Time, Number of Weeks Off, Weeks Off >>";

// The section's lines, each ending in CR LF.
std::string calendar_section_text(const Calendar& calendar);

struct CalendarSection {
  std::optional<Calendar> calendar;
  std::string problem;  // empty, or why the section was not taken, naming its line
};

// Reads what follows the team list. `first_line` is the number, in the file,
// of the line `rest` begins with. Blank lines alone are no section.
CalendarSection read_calendar_section(std::string_view rest, int first_line);

}  // namespace quintora::league
