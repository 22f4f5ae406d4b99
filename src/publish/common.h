#pragma once
// Helpers the writers share: checks before writing, and text made safe for
// formats that must hold valid UTF-8.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "publish/publish.h"

namespace quintora::publish::detail {

// Result::Ok when the season can be written with these options, every match
// date no later than `last` (publish::last_date of the format).
Result check(const season::Season& season, const Options& options, bool needs_calendar,
             base::Date last = {9999, 12, 31});

inline Output failed(Result result) { return Output{result, {}}; }

// Whether the match or bye concerns the team; every one does for team 0.
bool concerns(const season::Match& match, int team);

std::chrono::sys_seconds now(const Options& options);

// The state file's text, and the state in a text that keeps to its format
// exactly (nothing otherwise).
std::string calendar_state_text(const CalendarState& state);
std::optional<CalendarState> parse_calendar_state(std::string_view text);

// The weeks off just before the fixture's week (publish::weeks_off_before).
std::vector<base::Date> weeks_off_before(const season::Season& season, const Fixture& fixture);

// Whether the season has more than one division, which the formats then show.
inline bool has_divisions(const season::Season& season) { return season.divisions.size() > 1; }
// A division's name, or "Division N" when it has none.
std::string division_title(const season::Season& season, int division);
// The division of a match (its host's), or of a team; empty without divisions.
std::string division_of(const season::Season& season, int team);

// Whether some bar of the season has an address.
bool any_address(const season::Season& season);

// The bars (numbers, in bar order) that host a match the team plays, or any
// match for team 0.
std::vector<int> venues_of(const season::Season& season, int team);

// "The Crown, 1 High Street": where a phone's map finds the match.
std::string name_and_address(const season::Bar& bar);

}  // namespace quintora::publish::detail
