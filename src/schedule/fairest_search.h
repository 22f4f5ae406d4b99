#pragma once
// Fairest for a league whose bars hold teams of several divisions, or that
// has dates a bar or a team cannot host. Every division keeps the circle
// schedule of Fairest, so its breaks stay the fewest; what is searched is
// which team stands on which position of its division's circle, so that
// every bar stays within its tables every week across all divisions and no
// match falls on an unavailable date. The search is a SAT problem solved by
// CaDiCaL, bounded by its own conflict counts (never by the clock), so the
// same league and variant give the same season everywhere.
//
// When the placement of one division alone already keeps every promise (the
// league's bar-mates are all in one division and no date is in the way),
// that placement is taken as it is: the division's season is exactly what
// Fairest gives it alone. When no placement keeps them all, the fewest
// tables-weeks and dates that must give way are dropped, one at a time, and
// the season misses only those.

#include <atomic>
#include <functional>
#include <vector>

#include "base/messages.h"
#include "league/league.h"
#include "schedule/divisions.h"

namespace quintora::schedule {

// The run's hook for a window: a fraction done (0..1) now and then, and a
// flag that, once set, ends the search soon.
struct SearchControl {
  std::function<void(double)> progress;
  const std::atomic<bool>* cancel = nullptr;
};

enum class FairestSearch {
  Placed,     // every division on its own Fairest placement
  Searched,   // placed by the solver, every promise kept
  Missed,     // some tables-weeks or dates given up (see the notices)
  Cancelled,  // the flag was set: no tables filled
};

// Fills each part's table (rounds in play order) and order. `league` is the
// compact league the parts were split from, passing the table check.
FairestSearch place_fairest(std::vector<DivisionPart>& parts, const league::League& league, int variant,
                            int season_weeks, const std::vector<UnavailableWeek>& unavailable,
                            const SearchControl& control);

}  // namespace quintora::schedule
