#pragma once
// Fairest for a league whose bars hold teams of several divisions, or that
// has dates a bar or a team cannot host. First each division keeps its circle
// schedule and the search chooses which team stands on which position, so
// that every bar stays within its tables every week across all divisions and
// no match falls on an unavailable date: every such placement has the fewest
// breaks. Failing that, the hosts of every week are chosen on the same
// rounds (see fairest_models.h). Both are SAT problems solved by CaDiCaL,
// bounded by its own conflict counts (never by the clock), so the same league
// and variant give the same season everywhere.
//
// When the placement of one division alone already keeps every promise (the
// league's bar-mates are all in one division and no date is in the way),
// that placement is taken as it is: the division's season is exactly what
// Fairest gives it alone. What cannot be kept is given up, latest first (the
// dates before the tables), and the season misses only that; when the
// search finds no answer within its count, each division keeps its own
// Fairest placement.

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
