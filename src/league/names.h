#pragma once
// The rules every bar or team name passes before the editor stores it:
// trimmed of blanks, not empty, and unique among the live bars (or the live
// teams, or the divisions), letter case ignored. Each kind is separate.

#include <optional>
#include <string>

#include "base/messages.h"
#include "league/league.h"

namespace quintora::league {

enum class NameKind { Bar = 1, Team = 2, Division = 3 };

// A blank is the space character only; tabs are ordinary characters.
std::string& trim_trailing_blanks(std::string& text);
std::string& trim_leading_blanks(std::string& text);

// Trims text in place (trailing blanks, then leading ones) and checks it.
// Nothing when the name is accepted; otherwise the refusal, for a "Sorry !" box.
std::optional<base::Notice> validate_name(const League& league, std::string& text, NameKind kind);

}  // namespace quintora::league
