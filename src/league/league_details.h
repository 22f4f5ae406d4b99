#pragma once
// Changes to the league's divisions, unavailable dates and venue details,
// each checked before it is made: nothing when it was made, otherwise the
// reason, for the window to show, and the league unchanged.

#include <optional>
#include <string>
#include <string_view>

#include "base/date.h"
#include "base/messages.h"
#include "league/league.h"

namespace quintora::league {

using Refusal = std::optional<base::Notice>;

// Division names follow the bar names' rules; `name` is trimmed in place.
// Divisions count from 1.
Refusal add_division(League& league, std::string& name);
Refusal rename_division(League& league, int division, std::string& name);
// Its teams move to the first division; later divisions move up by one.
Refusal delete_division(League& league, int division);
void set_team_division(League& league, int team_position, int division);
// The division of that name, letter case ignored, or 0.
int find_division(const League& league, std::string_view name);

// Whether the calendar plays on that date: on its grid from the first match
// date, and not a week off.
bool is_match_date(const Calendar& calendar, base::Date date);
// A date must be a match date of the league's calendar, not yet listed for
// that bar or team, and the list must have room.
Refusal add_unavailable(League& league, const Unavailable& entry);
// False when it was not listed.
bool remove_unavailable(League& league, const Unavailable& entry);

// Line breaks become ", "; other control characters are refused, as is text
// past 120 bytes. Blanks around the text are dropped.
Refusal set_address(League& league, int bar_position, std::string_view text);
// At most 30 bytes, no control characters.
Refusal set_phone(League& league, int bar_position, std::string_view text);
// "HH:MM", or empty for the league's time.
Refusal set_start(League& league, int bar_position, std::string_view text);

}  // namespace quintora::league
