#pragma once
// The optional sections after the team list: the divisions, the calendar,
// the unavailable dates and the venue details. The reader takes them in any
// order, each once; a section it cannot understand (or one given twice, or
// one it does not know) is left out and named by its line, and the others
// are read. The writer puts them in one order, each only when the league has
// it, so a league without them is written byte for byte as before.

#include <string>
#include <string_view>

#include "league/compaction.h"
#include "league/league.h"

namespace quintora::league {

// Reads what follows the team list into the league, whose bars and teams are
// read. `first_line` is the number, in the file, of the line `rest` begins
// with. Returns the problems, each naming its line; empty when there are none.
std::string read_optional_sections(std::string_view rest, int first_line, League& league);

// The sections' lines, each ending in CR LF.
std::string optional_sections_text(const League& league, const Compaction& compaction);

}  // namespace quintora::league
