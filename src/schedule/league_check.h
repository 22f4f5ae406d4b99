#pragma once
// The checks a league passes before a schedule is made. The first two are
// the user's: a league needs teams, and every bar tables for half its teams.
// The last guards the run itself: it reads bars and teams by position and
// indexes its tables with bar numbers, so it takes only a league whose bars
// are numbered 1..n_bar in order, whose every team names one of them and
// whose team counts agree with the teams. Anything else (possible only from
// a hand-edited file) is refused before a table is built.

#include <string>

#include "base/messages.h"
#include "league/league.h"
#include "schedule/round_table.h"

namespace quintora::schedule {

// The most teams a run takes. The editor stops adding teams by hand at 99,
// but a new bar's automatic team can be the 100th; an even 100 fills the
// pairing table without a dummy, as 99 do with one.
inline constexpr int max_run_teams = max_team_even;
static_assert(max_run_teams <= league::team_room);

// True when every live bar has tables for half its teams, rounded up (a bar
// with no teams always passes); otherwise false, with "Not enough tables for
// this bar: NAME" for the first bar that has too few.
bool check_table_capacity(const league::League& league, base::Notices& notices);

// The Schedule command's checks, in its order: "Cannot schedule without
// teams.", then the tables. True when the league may be scheduled.
bool check_schedule_request(const league::League& league, base::Notices& notices);

// True when the run can take `league`; otherwise false with a notice that
// names the first offending bar or team.
bool league_fits_run(const league::League& league, base::Notices& notices);

}  // namespace quintora::schedule
