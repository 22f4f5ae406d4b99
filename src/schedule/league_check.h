#pragma once
// The run reads bars and teams by position and indexes its tables with bar
// numbers, so it takes only a league whose bars are numbered 1..n_bar in
// order, whose every team names one of them and whose team counts agree with
// the teams. Anything else (possible only from a hand-edited file) is refused
// before a table is built.

#include <string>

#include "league/league.h"

namespace quintora::schedule {

// True when the run can take `league`; otherwise false with a message that
// names the first offending bar or team.
bool league_fits_run(const League& league, std::string& message);

}  // namespace quintora::schedule
