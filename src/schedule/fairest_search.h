#pragma once
// Fairest for a league whose bars hold teams of several divisions, or that
// has dates a bar or a team cannot host. Each division keeps the circle
// schedule; the search looks, in this order, for
// 1. which team stands on which position of its division's circle, so that
//    every bar stays within its tables every week across all divisions and no
//    match falls on an unavailable date: every such placement has the fewest
//    breaks of mirrored passes;
// 2. the hosts of one pass of each division on its own circle, every second
//    pass exchanging them: the passes still mirror;
// 3. a placement for each pass of each division: every pass has the fewest
//    breaks within it, but passes no longer mirror (with bar-mates in
//    divisions of other pass lengths mirrored passes can keep the tables only
//    by chance), so a team may break, or not, where one pass gives way to
//    the next. Solved stretch by stretch, the passes that ended before the
//    last stretch held as found; a stretch that cannot be kept gives up its
//    dates, then its tables, and the hosts around it are chosen again week
//    by week, the other weeks held;
// 4. the hosts of every week, on the circles of a placement that keeps every
//    promise while each division plays its first pass, with each team's
//    breaks in each pass bounded by the circle's own and raised only where a
//    conflict shows it must be (see fairest_models.h); also tried when step
//    3 still misses something, the season that misses less kept.
// All are SAT problems solved by CaDiCaL, bounded by its own conflict counts
// (never by the clock), so the same league and variant give the same season
// everywhere.
//
// When the placement of one division alone already keeps every promise (the
// league's bar-mates are all in one division and no date is in the way),
// that placement is taken as it is: the division's season is exactly what
// Fairest gives it alone. What the last step cannot keep is given up, latest
// first (the dates before the tables), and the season misses only that; when
// it finds no answer within its count, step 3's season stands when there is
// one, else the tables of step 4's placement with their own hosts.

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
