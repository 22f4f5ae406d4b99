#pragma once
// The texts the schedule side shows the user; the captions are the
// program's own (base/messages.h).

#include <string_view>

namespace quintora::schedule::message {

inline constexpr std::string_view no_teams = "Cannot schedule without teams.";
inline constexpr std::string_view not_enough_tables = "Not enough tables for this bar: ";
inline constexpr std::string_view invalid_file_name = "Please use a valid file name.";

}  // namespace quintora::schedule::message
